// A static web server for the tests, as any server would serve build-web/: files by path, their
// types, and "not modified" for a file the browser already has. It counts what it serves.
'use strict';
const fs = require('node:fs');
const http = require('node:http');
const path = require('node:path');

const TYPES = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.wasm': 'application/wasm',
  '.data': 'application/octet-stream', '.webmanifest': 'application/manifest+json',
  '.png': 'image/png', '.svg': 'image/svg+xml',
};

// Serves `root` on 127.0.0.1 at a free port; resolves to {origin, served, close()}.
function serve(root) {
  const served = [];
  const server = http.createServer((request, response) => {
    const url = new URL(request.url, 'http://localhost');
    let file = path.join(root, path.normalize(decodeURIComponent(url.pathname)));
    if (!file.startsWith(path.resolve(root))) file = '';
    if (file && fs.existsSync(file) && fs.statSync(file).isDirectory()) file = path.join(file, 'index.html');
    served.push(url.pathname);
    if (!file || !fs.existsSync(file)) {
      response.writeHead(404).end();
      return;
    }
    const modified = fs.statSync(file).mtime;
    modified.setMilliseconds(0);
    const since = request.headers['if-modified-since'];
    if (since && new Date(since) >= modified) {
      response.writeHead(304).end();
      return;
    }
    response.writeHead(200, {
      'Content-Type': TYPES[path.extname(file)] || 'application/octet-stream',
      'Content-Length': fs.statSync(file).size,
      'Last-Modified': modified.toUTCString(),
    });
    if (request.method === 'HEAD') response.end();
    else fs.createReadStream(file).pipe(response);
  });
  return new Promise((resolve) => {
    server.listen(0, '127.0.0.1', () => {
      resolve({
        origin: `http://127.0.0.1:${server.address().port}`,
        served,
        close: () => new Promise((done) => { server.closeAllConnections(); server.close(done); }),
      });
    });
  });
}

module.exports = {serve};
