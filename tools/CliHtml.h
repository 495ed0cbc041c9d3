// plandra-cli html and online: a figure's published page and its
// online-saving form, made without a window.
#pragma once

#include <string>
#include <vector>

namespace plandra {

// plandra-cli html FIGURE [-o PAGE]: the page (FIGURE with ".htm" by
// default) and the viewer's script beside it. When the page template or the
// viewer cannot be found, says so and writes nothing.
// plandra-cli html FOLDER [-o OUTFOLDER] [--program]: every figure of the
// folder as a lesson, with index.html (the output folder defaults to the
// folder); with --program the browser program goes beside the pages and
// each page links to it with its figure.
int HtmlCommand(const std::vector<std::string>& args);

// plandra-cli online FIGURE -o PAGE [--url URL]: the online-saving form.
int OnlineCommand(const std::vector<std::string>& args);

}  // namespace plandra
