// plandra-cli render: the figure drawn as the window draws it, written as a
// PNG, BMP, SVG or PDF picture.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "view/Surface.h"

namespace plandra {

constexpr int kRenderOk = 0;
constexpr int kRenderUsage = 1;        // bad or missing options
constexpr int kRenderUnreadable = 2;   // the figure cannot be read
constexpr int kRenderWriteFailed = 3;  // the picture cannot be written

enum class PictureKind { kPng, kBmp, kSvg, kPdf };
enum class GridChoice { kNone, kOrthogonal, kPolar };

struct RenderOptions {
  std::filesystem::path Figure;
  std::filesystem::path Output;
  PictureKind Kind = PictureKind::kPng;
  int Width = 641;
  int Height = 481;
  // Unset, the picture shows the figure as the window opens it: the default
  // zoom without a grid, or the complex-number view for such figures.
  std::optional<double> PixelSize;
  std::optional<GridChoice> Grid;
  std::string Language = "Japanese";
  bool Aliased = false;  // pixel-exact lines and circles, as old pictures have them
};

// The kind a file name asks for by its extension, in any case.
std::optional<PictureKind> PictureKindOf(const std::filesystem::path& file);

// Reads the arguments after "render"; false with the reason in error.
bool ParseRenderArgs(const std::vector<std::string>& args, RenderOptions& options,
                     std::string& error);

std::string RenderUsage();

struct Program;

// Reads the figure into the program and sets up its view from the options;
// false with the reason in error when the figure cannot be read.
bool LoadForRender(const RenderOptions& options, Program& program, std::string& error);

// The view mapping of the window for a client of the surface's size: the
// origin in the middle, y up, pixelSize world units a pixel.
void SetViewWindow(Surface& surface, double pixelSize);

struct PictureRequest {
  std::filesystem::path File;
  PictureKind Kind = PictureKind::kPng;
  int Width = 641;
  int Height = 481;
  double PixelSize = 0.05;
  RgbColor Background{255, 255, 255};
  bool Aliased = false;
};

// Lets draw paint on a surface of the picture's kind (a vector surface for
// SVG and PDF) with the view mapping set, then writes the file. Starts a
// headless application when none runs. False with the reason in error.
bool WritePicture(const PictureRequest& request, const std::function<void(Surface&)>& draw,
                  std::string& error);

// The whole command; prints its messages and returns the exit status.
int RenderCommand(const std::vector<std::string>& args);

// plandra-cli batch [FOLDER]: every *.pd4 of the folder (the current one by
// default) as a bitmap in its subfolder "bmp"; prints the files written.
int BatchCommand(const std::vector<std::string>& args);

}  // namespace plandra
