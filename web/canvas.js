  // The drawing calls of the module's canvas surface (CanvasSurface.cpp), on
  // the 2D context in ctx; shared by the viewer and the program. The script
  // that takes this in defines ctx, exports, textAt and FALLBACK_FONTS.
  function css(color) {
    return '#' + (color | 0x1000000).toString(16).slice(1);
  }

  // A size × size block of opaque colour at (x, y) of the image.
  function fillBlock(image, x, y, size, color) {
    var data = image.data;
    for (var row = y; row < y + size && row < image.height; ++row) {
      for (var column = x; column < x + size && column < image.width; ++column) {
        var at = 4 * (row * image.width + column);
        data[at] = color >>> 16 & 255;
        data[at + 1] = color >>> 8 & 255;
        data[at + 2] = color & 255;
        data[at + 3] = 255;
      }
    }
  }

  // The drawing calls of the module's canvas surface.
  var canvasImports = {
    clear: function (color) {
      ctx.save();
      ctx.setTransform(1, 0, 0, 1, 0, 0);
      ctx.fillStyle = css(color);
      ctx.fillRect(0, 0, ctx.canvas.width, ctx.canvas.height);
      ctx.restore();
    },
    pen: function (width, dotted) {
      ctx.lineWidth = width;
      ctx.setLineDash(dotted ? [width, 2 * width] : []);
    },
    font: function (family, length, pixels) {
      var name = textAt(family, length).replace(/["\\]/g, '');
      ctx.font = pixels.toFixed(2) + 'px "' + name + '", ' + FALLBACK_FONTS;
    },
    line: function (x1, y1, x2, y2, color) {
      ctx.strokeStyle = css(color);
      ctx.beginPath();
      ctx.moveTo(x1, y1);
      ctx.lineTo(x2, y2);
      ctx.stroke();
    },
    ellipse: function (cx, cy, rx, ry, color) {
      ctx.strokeStyle = css(color);
      ctx.beginPath();
      ctx.ellipse(cx, cy, rx, ry, 0, 0, 2 * Math.PI);
      ctx.stroke();
    },
    box: function (x, y, w, h, color, filled) {
      if (filled) {
        ctx.fillStyle = css(color);
        ctx.fillRect(x, y, w, h);
      } else {
        ctx.strokeStyle = css(color);
        ctx.strokeRect(x, y, w, h);
      }
    },
    // Opaque pixels, many at once (a sampled locus): written straight into
    // the picture when there are more than a few hundred.
    pixels: function (pointer, count) {
      var words = new Uint32Array(exports.memory.buffer, pointer, 3 * count);
      var i;
      if (count < 256) {
        for (i = 0; i < 3 * count; i += 3) {
          ctx.fillStyle = css(words[i + 2]);
          ctx.fillRect(words[i], words[i + 1], 1, 1);
        }
        return;
      }
      var width = ctx.canvas.width;
      var image = ctx.getImageData(0, 0, width, ctx.canvas.height);
      var scale = ctx.getTransform().a; // backing-store pixels per figure pixel
      for (i = 0; i < 3 * count; i += 3) {
        fillBlock(image, Math.floor(words[i] * scale), Math.floor(words[i + 1] * scale),
                  Math.max(1, Math.round(scale)), words[i + 2]);
      }
      ctx.putImageData(image, 0, 0);
    },
    text: function (x, y, pointer, length, color) {
      ctx.fillStyle = css(color);
      ctx.textBaseline = 'top';
      var lines = textAt(pointer, length).split('\n');
      var step = parseFloat(ctx.font) * 1.2;
      for (var i = 0; i < lines.length; ++i) ctx.fillText(lines[i], x, y + i * step);
    }
  };
