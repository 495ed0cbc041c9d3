// plandra-icon-png SVG SIZE OUT.png: the program's icon drawn at one size for
// the desktop's icon theme, at build time.
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fputs("usage: plandra-icon-png ICON.svg SIZE OUT.png\n", stderr);
    return 1;
  }
  const int size = std::atoi(argv[2]);
  if (size < 8 || size > 1024) {
    std::fprintf(stderr, "plandra-icon-png: bad size %s\n", argv[2]);
    return 1;
  }
  QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
  if (!svg.isValid()) {
    std::fprintf(stderr, "plandra-icon-png: cannot read %s\n", argv[1]);
    return 1;
  }
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter);
  }
  if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
    std::fprintf(stderr, "plandra-icon-png: cannot write %s\n", argv[3]);
    return 1;
  }
  return 0;
}
