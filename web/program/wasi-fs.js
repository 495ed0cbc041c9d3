  // The system calls of the module (WASI) on a file system held in the
  // page: folders and files in memory under one root. The program folder's
  // files are kept in the browser's storage by the page; figures come in from
  // the device and go out as downloads.
  var WASI = {
    SUCCESS: 0, ACCES: 2, BADF: 8, EXIST: 20, INVAL: 28, ISDIR: 31, NOENT: 44, NOSPC: 51,
    NOSYS: 52, NOTDIR: 54, NOTEMPTY: 55, NOTSUP: 58
  };
  var FILETYPE = {CHARACTER_DEVICE: 2, DIRECTORY: 3, REGULAR_FILE: 4};
  var OFLAGS = {CREAT: 1, DIRECTORY: 2, EXCL: 4, TRUNC: 8};
  var FDFLAG_APPEND = 1;
  var PREOPEN_FD = 3;

  function makeFolder() { return {folder: true, entries: new Map(), ino: ++inodeCount}; }
  function makeFile() { return {folder: false, data: new Uint8Array(0), size: 0, ino: ++inodeCount}; }
  var inodeCount = 0;
  var root = makeFolder();
  var openFiles = new Map();
  var nextFd = PREOPEN_FD + 1;
  // Files written since the page last asked, and how many changes the file
  // system has seen.
  var writtenFiles = new Set();
  var changeCount = 0;

  // The names of a path below the root; null for one that climbs above it.
  function pathNames(path) {
    var names = [];
    var parts = path.split('/');
    for (var i = 0; i < parts.length; ++i) {
      var part = parts[i];
      if (part === '' || part === '.') continue;
      if (part === '..') {
        if (!names.length) return null;
        names.pop();
      } else {
        names.push(part);
      }
    }
    return names;
  }

  function fullPath(names) { return '/' + names.join('/'); }

  // {parent, name, node}: node null when the last name is missing; an error
  // number when a folder on the way is missing or a file.
  function lookUp(path) {
    var names = pathNames(path);
    if (names === null) return WASI.ACCES;
    var node = root;
    var parent = null;
    for (var i = 0; i < names.length; ++i) {
      if (!node.folder) return WASI.NOTDIR;
      parent = node;
      node = node.entries.get(names[i]) || null;
      if (node === null && i < names.length - 1) return WASI.NOENT;
    }
    return {parent: parent, name: names.length ? names[names.length - 1] : '', node: node,
            path: fullPath(names)};
  }

  function grow(file, size) {
    if (size <= file.data.length) return;
    var bigger = new Uint8Array(Math.max(size, 2 * file.data.length, 256));
    bigger.set(file.data.subarray(0, file.size));
    file.data = bigger;
  }

  // The folder of those names, made where missing.
  function folderOf(names) {
    var node = root;
    for (var i = 0; i < names.length; ++i) {
      var next = node.entries.get(names[i]);
      if (!next) { next = makeFolder(); node.entries.set(names[i], next); }
      node = next;
    }
    return node;
  }

  var fileSystem = {
    makeFolder: function (path) { folderOf(pathNames(path)); },
    changes: function () { return changeCount; },
    // Writes bytes as the file at path, its folders made on the way.
    writeFile: function (path, bytes) {
      var names = pathNames(path);
      var node = folderOf(names.slice(0, -1));
      var file = makeFile();
      grow(file, bytes.length);
      file.data.set(bytes);
      file.size = bytes.length;
      node.entries.set(names[names.length - 1], file);
      ++changeCount;
    },
    readFile: function (path) {
      var found = lookUp(path);
      if (typeof found === 'number' || !found.node || found.node.folder) return null;
      return found.node.data.slice(0, found.node.size);
    },
    // Every file below a folder, as {path: bytes}.
    filesBelow: function (folder) {
      var found = lookUp(folder);
      var files = {};
      if (typeof found === 'number' || !found.node || !found.node.folder) return files;
      (function walk(node, path) {
        node.entries.forEach(function (child, name) {
          if (child.folder) walk(child, path + '/' + name);
          else files[path + '/' + name] = child.data.slice(0, child.size);
        });
      })(found.node, found.path === '/' ? '' : found.path);
      return files;
    },
    // The paths written since the last call, still there.
    takeWritten: function () {
      var paths = [];
      writtenFiles.forEach(function (path) {
        var found = lookUp(path);
        if (typeof found !== 'number' && found.node && !found.node.folder) paths.push(path);
      });
      writtenFiles.clear();
      return paths;
    }
  };

  function wasiImports(memory) {
    function view() { return new DataView(memory().buffer); }
    function bytes() { return new Uint8Array(memory().buffer); }
    function pathAt(pointer, length) {
      return decoder.decode(bytes().subarray(pointer, pointer + length));
    }
    function fileOf(fd) { return openFiles.get(fd) || null; }

    function writeStat(at, node) {
      var v = view();
      for (var i = 0; i < 64; i += 8) v.setBigUint64(at + i, 0n, true);
      v.setBigUint64(at + 8, BigInt(node.ino), true);
      v.setUint8(at + 16, node.folder ? FILETYPE.DIRECTORY : FILETYPE.REGULAR_FILE);
      v.setBigUint64(at + 24, 1n, true);
      v.setBigUint64(at + 32, BigInt(node.folder ? 0 : node.size), true);
      var now = BigInt(Date.now()) * 1000000n;
      v.setBigUint64(at + 40, now, true);
      v.setBigUint64(at + 48, node.mtime || now, true);
      v.setBigUint64(at + 56, node.mtime || now, true);
    }

    function iovecs(iovs, count, each) {
      var v = view();
      var total = 0;
      for (var i = 0; i < count; ++i) {
        var base = v.getUint32(iovs + 8 * i, true);
        var length = v.getUint32(iovs + 8 * i + 4, true);
        total += each(base, length);
      }
      return total;
    }

    function consoleWrite(fd, iovs, count, written) {
      var text = '';
      var total = iovecs(iovs, count, function (base, length) {
        text += decoder.decode(bytes().subarray(base, base + length));
        return length;
      });
      if (text) (fd === 2 ? console.warn : console.log)(text);
      view().setUint32(written, total, true);
      return WASI.SUCCESS;
    }

    function resolveAt(dirFd, pointer, length) {
      var dir = fileOf(dirFd);
      if (!dir || !dir.node.folder) return WASI.BADF;
      return lookUp(dir.path + '/' + pathAt(pointer, length));
    }

    var imports = {
      fd_prestat_get: function (fd, out) {
        if (fd !== PREOPEN_FD) return WASI.BADF;
        view().setUint32(out, 0, true);
        view().setUint32(out + 4, 1, true);
        return WASI.SUCCESS;
      },
      fd_prestat_dir_name: function (fd, pointer, length) {
        if (fd !== PREOPEN_FD || length < 1) return WASI.BADF;
        bytes()[pointer] = 47; // '/'
        return WASI.SUCCESS;
      },
      fd_fdstat_get: function (fd, out) {
        var v = view();
        var file = fileOf(fd);
        var type = fd <= 2 ? FILETYPE.CHARACTER_DEVICE :
            file ? (file.node.folder ? FILETYPE.DIRECTORY : FILETYPE.REGULAR_FILE) : -1;
        if (type < 0) return WASI.BADF;
        v.setUint8(out, type);
        v.setUint16(out + 2, file && file.append ? FDFLAG_APPEND : 0, true);
        v.setBigUint64(out + 8, 0xffffffffffffffffn, true);
        v.setBigUint64(out + 16, 0xffffffffffffffffn, true);
        return WASI.SUCCESS;
      },
      fd_fdstat_set_flags: function (fd, flags) {
        var file = fileOf(fd);
        if (!file) return WASI.BADF;
        file.append = (flags & FDFLAG_APPEND) !== 0;
        return WASI.SUCCESS;
      },
      path_open: function (dirFd, lookupFlags, pointer, length, oflags, rightsBase,
                           rightsInheriting, fdflags, fdOut) {
        var found = resolveAt(dirFd, pointer, length);
        if (typeof found === 'number') return found;
        var node = found.node;
        if (node && (oflags & OFLAGS.CREAT) && (oflags & OFLAGS.EXCL)) return WASI.EXIST;
        if (!node) {
          if (!(oflags & OFLAGS.CREAT) || !found.parent) return WASI.NOENT;
          node = makeFile();
          found.parent.entries.set(found.name, node);
          ++changeCount;
        }
        if ((oflags & OFLAGS.DIRECTORY) && !node.folder) return WASI.NOTDIR;
        if (!node.folder && (oflags & OFLAGS.TRUNC)) {
          node.size = 0;
          ++changeCount;
        }
        var fd = nextFd++;
        openFiles.set(fd, {node: node, path: found.path, offset: 0,
                           append: (fdflags & FDFLAG_APPEND) !== 0});
        view().setUint32(fdOut, fd, true);
        return WASI.SUCCESS;
      },
      fd_close: function (fd) {
        if (!openFiles.delete(fd)) return WASI.BADF;
        return WASI.SUCCESS;
      },
      fd_read: function (fd, iovs, count, readOut) {
        var file = fileOf(fd);
        if (!file || file.node.folder) return WASI.BADF;
        var total = iovecs(iovs, count, function (base, length) {
          var n = Math.max(0, Math.min(length, file.node.size - file.offset));
          bytes().set(file.node.data.subarray(file.offset, file.offset + n), base);
          file.offset += n;
          return n;
        });
        view().setUint32(readOut, total, true);
        return WASI.SUCCESS;
      },
      fd_pread: function (fd, iovs, count, offset, readOut) {
        var file = fileOf(fd);
        if (!file || file.node.folder) return WASI.BADF;
        var at = Number(offset);
        var total = iovecs(iovs, count, function (base, length) {
          var n = Math.max(0, Math.min(length, file.node.size - at));
          bytes().set(file.node.data.subarray(at, at + n), base);
          at += n;
          return n;
        });
        view().setUint32(readOut, total, true);
        return WASI.SUCCESS;
      },
      fd_write: function (fd, iovs, count, written) {
        if (fd === 1 || fd === 2) return consoleWrite(fd, iovs, count, written);
        var file = fileOf(fd);
        if (!file || file.node.folder) return WASI.BADF;
        if (file.append) file.offset = file.node.size;
        var total = iovecs(iovs, count, function (base, length) {
          grow(file.node, file.offset + length);
          file.node.data.set(bytes().subarray(base, base + length), file.offset);
          file.offset += length;
          file.node.size = Math.max(file.node.size, file.offset);
          return length;
        });
        file.node.mtime = BigInt(Date.now()) * 1000000n;
        writtenFiles.add(file.path);
        ++changeCount;
        view().setUint32(written, total, true);
        return WASI.SUCCESS;
      },
      fd_seek: function (fd, offset, whence, out) {
        var file = fileOf(fd);
        if (!file || file.node.folder) return WASI.BADF;
        var base = whence === 1 ? file.offset : whence === 2 ? file.node.size : 0;
        var at = base + Number(offset);
        if (at < 0) return WASI.INVAL;
        file.offset = at;
        view().setBigUint64(out, BigInt(at), true);
        return WASI.SUCCESS;
      },
      fd_tell: function (fd, out) {
        var file = fileOf(fd);
        if (!file) return WASI.BADF;
        view().setBigUint64(out, BigInt(file.offset), true);
        return WASI.SUCCESS;
      },
      fd_sync: function (fd) { return fileOf(fd) ? WASI.SUCCESS : WASI.BADF; },
      fd_datasync: function (fd) { return fileOf(fd) ? WASI.SUCCESS : WASI.BADF; },
      fd_filestat_get: function (fd, out) {
        var file = fileOf(fd);
        if (!file) return WASI.BADF;
        writeStat(out, file.node);
        return WASI.SUCCESS;
      },
      fd_filestat_set_size: function (fd, size) {
        var file = fileOf(fd);
        if (!file || file.node.folder) return WASI.BADF;
        grow(file.node, Number(size));
        file.node.data.fill(0, file.node.size, Number(size));
        file.node.size = Number(size);
        writtenFiles.add(file.path);
        ++changeCount;
        return WASI.SUCCESS;
      },
      fd_filestat_set_times: function (fd) { return fileOf(fd) ? WASI.SUCCESS : WASI.BADF; },
      path_filestat_get: function (dirFd, flags, pointer, length, out) {
        var found = resolveAt(dirFd, pointer, length);
        if (typeof found === 'number') return found;
        if (!found.node) return WASI.NOENT;
        writeStat(out, found.node);
        return WASI.SUCCESS;
      },
      path_filestat_set_times: function () { return WASI.SUCCESS; },
      path_create_directory: function (dirFd, pointer, length) {
        var found = resolveAt(dirFd, pointer, length);
        if (typeof found === 'number') return found;
        if (found.node) return WASI.EXIST;
        found.parent.entries.set(found.name, makeFolder());
        ++changeCount;
        return WASI.SUCCESS;
      },
      path_remove_directory: function (dirFd, pointer, length) {
        var found = resolveAt(dirFd, pointer, length);
        if (typeof found === 'number') return found;
        if (!found.node) return WASI.NOENT;
        if (!found.node.folder) return WASI.NOTDIR;
        if (found.node.entries.size) return WASI.NOTEMPTY;
        found.parent.entries.delete(found.name);
        ++changeCount;
        return WASI.SUCCESS;
      },
      path_unlink_file: function (dirFd, pointer, length) {
        var found = resolveAt(dirFd, pointer, length);
        if (typeof found === 'number') return found;
        if (!found.node) return WASI.NOENT;
        if (found.node.folder) return WASI.ISDIR;
        found.parent.entries.delete(found.name);
        ++changeCount;
        return WASI.SUCCESS;
      },
      path_rename: function (fromFd, fromPointer, fromLength, toFd, toPointer, toLength) {
        var from = resolveAt(fromFd, fromPointer, fromLength);
        var to = resolveAt(toFd, toPointer, toLength);
        if (typeof from === 'number') return from;
        if (typeof to === 'number') return to;
        if (!from.node) return WASI.NOENT;
        if (to.node && to.node.folder !== from.node.folder) {
          return to.node.folder ? WASI.ISDIR : WASI.NOTDIR;
        }
        from.parent.entries.delete(from.name);
        to.parent.entries.set(to.name, from.node);
        if (!from.node.folder) writtenFiles.add(to.path);
        ++changeCount;
        return WASI.SUCCESS;
      },
      path_readlink: function (dirFd, pointer, length) {
        var found = resolveAt(dirFd, pointer, length);
        if (typeof found === 'number') return found;
        return found.node ? WASI.INVAL : WASI.NOENT;
      },
      path_link: function () { return WASI.NOTSUP; },
      path_symlink: function () { return WASI.NOTSUP; },
      fd_readdir: function (fd, buffer, length, cookie, usedOut) {
        var file = fileOf(fd);
        if (!file || !file.node.folder) return WASI.BADF;
        var names = Array.from(file.node.entries.keys());
        var v = view();
        var used = 0;
        for (var i = Number(cookie); i < names.length && used < length; ++i) {
          var name = encoder.encode(names[i]);
          var child = file.node.entries.get(names[i]);
          var entry = new Uint8Array(24 + name.length);
          var ev = new DataView(entry.buffer);
          ev.setBigUint64(0, BigInt(i + 1), true);
          ev.setBigUint64(8, BigInt(child.ino), true);
          ev.setUint32(16, name.length, true);
          ev.setUint8(20, child.folder ? FILETYPE.DIRECTORY : FILETYPE.REGULAR_FILE);
          entry.set(name, 24);
          var n = Math.min(entry.length, length - used);
          bytes().set(entry.subarray(0, n), buffer + used);
          used += n;
        }
        v.setUint32(usedOut, used, true);
        return WASI.SUCCESS;
      },
      clock_time_get: function (id, precision, out) {
        var ms = id === 0 ? Date.now() : performance.now();
        view().setBigUint64(out, BigInt(Math.round(ms * 1000)) * 1000n, true);
        return WASI.SUCCESS;
      },
      clock_res_get: function (id, out) {
        view().setBigUint64(out, 1000n, true);
        return WASI.SUCCESS;
      },
      random_get: function (pointer, length) {
        crypto.getRandomValues(bytes().subarray(pointer, pointer + length));
        return WASI.SUCCESS;
      },
      environ_sizes_get: function (count, size) {
        view().setUint32(count, 0, true);
        view().setUint32(size, 0, true);
        return WASI.SUCCESS;
      },
      environ_get: function () { return WASI.SUCCESS; },
      args_sizes_get: function (count, size) {
        view().setUint32(count, 0, true);
        view().setUint32(size, 0, true);
        return WASI.SUCCESS;
      },
      args_get: function () { return WASI.SUCCESS; },
      sched_yield: function () { return WASI.SUCCESS; },
      proc_exit: function (code) { throw new Error('plandra: exit ' + code); }
    };
    openFiles.set(PREOPEN_FD, {node: root, path: '/', offset: 0, append: false});
    return imports;
  }
