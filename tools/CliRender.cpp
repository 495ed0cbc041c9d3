#include "CliRender.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/Startup.h"
#include "core/ImageOutput.h"
#include "core/Program.h"
#include "core/Refresh.h"
#include "core/ViewCommands.h"
#include "core/io/FigFileIO.h"
#include "core/locus/PdLocus.h"
#include "figure/PDtype05.h"
#include "files/FileRead.h"
#include "files/FileWriter.h"
#include "files/PDio05.h"
#include "qt/drawing/QtSurface.h"
#include "view/PDDraw05.h"

namespace plandra {

namespace {

constexpr int kMaxPictureSide = 20000;
constexpr int16_t kRenderCapacity = 200;

// Messages of the reader go to standard error; no one answers questions.
class StderrPlatform : public SilentPlatform {
 public:
  MsgResult MessageBox(std::string_view text, std::string_view title, MsgButtons buttons) override {
    std::fprintf(stderr, "plandra-cli render: %.*s\n", static_cast<int>(text.size()), text.data());
    return SilentPlatform::MessageBox(text, title, buttons);
  }
};

bool ParseInt(std::string_view text, int& value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}

bool ParseSize(const std::string& text, RenderOptions& options) {
  const size_t cross = LowerAscii(text).find('x');
  if (cross == std::string::npos) return false;
  int width = 0;
  int height = 0;
  if (!ParseInt(std::string_view(text).substr(0, cross), width) ||
      !ParseInt(std::string_view(text).substr(cross + 1), height)) {
    return false;
  }
  if (width < 2 || height < 2 || width > kMaxPictureSide || height > kMaxPictureSide) return false;
  options.Width = width;
  options.Height = height;
  return true;
}

bool ParsePixelSize(const std::string& text, std::optional<double>& pixelSize) {
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  const bool ok =
      !text.empty() && end == text.c_str() + text.size() && std::isfinite(value) && value > 0;
  if (ok) pixelSize = value;
  return ok;
}

bool ParseGrid(const std::string& text, std::optional<GridChoice>& grid) {
  const std::string word = LowerAscii(text);
  if (word == "none")
    grid = GridChoice::kNone;
  else if (word == "orthogonal")
    grid = GridChoice::kOrthogonal;
  else if (word == "polar")
    grid = GridChoice::kPolar;
  else
    return false;
  return true;
}

bool ParseLanguage(const std::string& text, std::string& language) {
  const std::string word = LowerAscii(text);
  if (word == "japanese")
    language = "Japanese";
  else if (word == "english")
    language = "English";
  else
    return false;
  return true;
}

// A value option takes the next argument; error names the option when it is missing.
bool TakeValue(const std::vector<std::string>& args, size_t& i, std::string& value,
               std::string& error) {
  if (i + 1 >= args.size()) {
    error = args[i] + " needs a value";
    return false;
  }
  value = args[++i];
  return true;
}

bool ApplyOption(const std::string& option, const std::string& value, RenderOptions& options,
                 std::string& error) {
  bool ok = true;
  if (option == "-o" || option == "--output") {
    options.Output = value;
    const auto kind = PictureKindOf(options.Output);
    ok = kind.has_value();
    if (ok) options.Kind = *kind;
  } else if (option == "--size") {
    ok = ParseSize(value, options);
  } else if (option == "--pixel-size") {
    ok = ParsePixelSize(value, options.PixelSize);
  } else if (option == "--grid") {
    ok = ParseGrid(value, options.Grid);
  } else if (option == "--lang") {
    ok = ParseLanguage(value, options.Language);
  } else {
    error = "unknown option " + option;
    return false;
  }
  if (!ok) error = "bad value for " + option + ": " + value;
  return ok;
}

// The command line speaks for itself: Qt's notes about the session it runs
// in (no runtime folder on a headless machine, for one) are not for its user.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtFatalMsg) std::fprintf(stderr, "plandra-cli: %s\n", qPrintable(message));
}

void EnsureGuiApplication() {
  if (QCoreApplication::instance() != nullptr) return;
  qInstallMessageHandler(QuietQtMessages);
  // A picture needs no screen; the headless platform is always there.
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int argc = 1;
  static char name[] = "plandra-cli";
  static char* argv[] = {name, nullptr};
  static std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(argc, argv);
}

void DrawOn(QtSurface& surface, const PictureRequest& request,
            const std::function<void(Surface&)>& draw) {
  surface.SetAntialiased(!request.Aliased);
  surface.SetBackColor(request.Background);
  surface.Clear();
  SetViewWindow(surface, request.PixelSize);
  draw(surface);
  surface.Finish();
}

// Pictures are made in memory and written whole through the file writer.
bool WriteBuffer(const QByteArray& bytes, const std::filesystem::path& file, std::string& error) {
  return ReplaceFileContents(
      file, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), error);
}

bool FileReadable(const std::filesystem::path& file, std::string& error) {
  FileBytes probe = ReadRegularFile(file, 1);
  if (probe.Status == FileReadStatus::kOk) return true;
  error = "cannot read " + file.string() + ": " + probe.Reason;
  return false;
}

}  // namespace

std::optional<PictureKind> PictureKindOf(const std::filesystem::path& file) {
  const std::string extension = LowerAscii(file.extension().string());
  if (extension == ".png") return PictureKind::kPng;
  if (extension == ".bmp") return PictureKind::kBmp;
  if (extension == ".svg") return PictureKind::kSvg;
  if (extension == ".pdf") return PictureKind::kPdf;
  return std::nullopt;
}

std::string RenderUsage() {
  return "usage: plandra-cli render FIGURE -o OUT.png|.svg|.pdf|.bmp [--size WxH]\n"
         "                          [--pixel-size P] [--grid none|orthogonal|polar]\n"
         "                          [--lang japanese|english] [--aliased]\n";
}

bool ParseRenderArgs(const std::vector<std::string>& args, RenderOptions& options,
                     std::string& error) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--aliased") {
      options.Aliased = true;
    } else if (arg.size() > 1 && arg[0] == '-') {
      std::string value;
      if (!TakeValue(args, i, value, error) || !ApplyOption(arg, value, options, error)) {
        return false;
      }
    } else if (options.Figure.empty()) {
      options.Figure = arg;
    } else {
      error = "more than one figure: " + arg;
      return false;
    }
  }
  if (options.Figure.empty())
    error = "no figure named";
  else if (options.Output.empty())
    error = "no output named (-o OUT.png|.svg|.pdf|.bmp)";
  return error.empty();
}

void SetViewWindow(Surface& surface, double pixelSize) {
  const double halfWidth = (surface.PixelWidth() - 1) * pixelSize / 2;
  const double halfHeight = (surface.PixelHeight() - 1) * pixelSize / 2;
  surface.SetWorldWindow(-halfWidth, halfHeight, 2 * halfWidth, -2 * halfHeight);
}

bool WritePicture(const PictureRequest& request, const std::function<void(Surface&)>& draw,
                  std::string& error) {
  EnsureGuiApplication();
  const int width = request.Width;
  const int height = request.Height;
  std::string reason;
  bool written = false;
  if (request.Kind == PictureKind::kPng || request.Kind == PictureKind::kBmp) {
    QtSurface surface(width, height);
    DrawOn(surface, request, draw);
    written = WriteImageFile(surface.Image(), request.File,
                             request.Kind == PictureKind::kPng ? "PNG" : "BMP", reason);
  } else if (request.Kind == PictureKind::kSvg) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setResolution(96);  // sizes are in millimetres otherwise
    svg.setSize(QSize(width, height));
    svg.setViewBox(QRect(0, 0, width, height));
    svg.setTitle("Plandra Win");
    {
      QtSurface surface(svg, width, height);
      DrawOn(surface, request, draw);
    }
    written = WriteBuffer(bytes, request.File, reason);
  } else {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
      QPdfWriter pdf(&buffer);
      pdf.setResolution(96);
      pdf.setPageSize(QPageSize(QSizeF(width * 72.0 / 96, height * 72.0 / 96), QPageSize::Point));
      pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
      pdf.setTitle("Plandra Win");
      QtSurface surface(pdf, width, height);
      DrawOn(surface, request, draw);
    }
    written = WriteBuffer(bytes, request.File, reason);
  }
  if (!written) error = "cannot write " + request.File.string() + ": " + reason;
  return written;
}

bool LoadForRender(const RenderOptions& options, Program& program, std::string& error) {
  program.Lang.Language = options.Language;
  program.Config.Language = options.Language;
  ResetFigure(program.Fig, kRenderCapacity);
  program.CurFileName = options.Figure.string();
  const FigFileResult read = FigFileIO(program, 'R');
  if (read.Status != FigFileStatus::kOk) {
    error = read.Message.empty() ? "cannot read " + options.Figure.string() : read.Message;
    return false;
  }
  program.View.PixelSize = kDefaultPixelSize;
  program.Config.AxisShow = kFalse;
  program.View.AxisKind = 0;
  ZoomForOpenedFigure(program);
  if (options.PixelSize) program.View.PixelSize = *options.PixelSize;
  if (options.Grid) {
    program.Config.AxisShow = *options.Grid == GridChoice::kNone ? kFalse : kTrue;
    program.View.AxisKind = *options.Grid == GridChoice::kPolar ? 1 : 0;
  }
  return true;
}

int RenderCommand(const std::vector<std::string>& args) {
  RenderOptions options;
  std::string error;
  if (!ParseRenderArgs(args, options, error)) {
    std::fprintf(stderr, "plandra-cli render: %s\n%s", error.c_str(), RenderUsage().c_str());
    return kRenderUsage;
  }
  if (!FileReadable(options.Figure, error)) {
    std::fprintf(stderr, "plandra-cli render: %s\n", error.c_str());
    return kRenderUnreadable;
  }
  StderrPlatform host;
  Program program;
  program.Host = &host;
  WireLocusLayer(program);
  if (!LoadForRender(options, program, error)) {
    std::fprintf(stderr, "plandra-cli render: %s\n", error.c_str());
    return kRenderUnreadable;
  }
  PictureRequest request{options.Output,         options.Kind,
                         options.Width,          options.Height,
                         program.View.PixelSize, FromSettingsColor(program.Config.BackColor),
                         options.Aliased};
  const bool written = WritePicture(
      request,
      [&program](Surface& surface) {
        program.Canvas = &surface;
        SetScreen(program);
        Redraw(program);
        program.Canvas = nullptr;
      },
      error);
  if (!written) {
    std::fprintf(stderr, "plandra-cli render: %s\n", error.c_str());
    return kRenderWriteFailed;
  }
  return kRenderOk;
}

namespace {

// The batch's pictures are the surface's image, saved as the window saves it.
class BatchPlatform : public StderrPlatform {
 public:
  explicit BatchPlatform(const QtSurface& surface) : surface_(surface) {}
  bool SavePicture(const std::filesystem::path& file) override {
    const char* format = LowerAscii(file.extension().string()) == ".png" ? "PNG" : "BMP";
    std::string error;
    return WriteImageFile(surface_.Image(), file, format, error);
  }

 private:
  const QtSurface& surface_;
};

}  // namespace

int BatchCommand(const std::vector<std::string>& args) {
  if (args.size() > 1) {
    std::fprintf(stderr, "plandra-cli batch: takes at most one folder\n");
    return kRenderUsage;
  }
  std::error_code ec;
  std::filesystem::path folder =
      args.empty() ? std::filesystem::current_path(ec) : std::filesystem::path(args[0]);
  if (!std::filesystem::is_directory(folder, ec)) {
    std::fprintf(stderr, "plandra-cli batch: %s: no such folder\n", folder.string().c_str());
    return kRenderUnreadable;
  }
  EnsureGuiApplication();
  QtSurface surface(641, 481);
  BatchPlatform host(surface);
  Program program;
  program.Host = &host;
  program.Canvas = &surface;
  WireLocusLayer(program);
  ResetFigure(program.Fig, kRenderCapacity);
  SetScreen(program);
  BatchResult result = mnuHmakeAllBmp(program, folder);
  for (const std::filesystem::path& written : result.Written) {
    std::printf("%s\n", written.string().c_str());
  }
  for (const std::string& problem : result.Problems) {
    std::fprintf(stderr, "plandra-cli batch: %s\n", problem.c_str());
  }
  return result.Problems.empty() ? kRenderOk : kRenderUnreadable;
}

}  // namespace plandra
