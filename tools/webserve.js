// webserve: a static file server on 127.0.0.1 for the web build (build-web/),
// with the MIME types a page with WebAssembly needs. `node tools/webserve.js
// DIR [PORT]` serves DIR and prints the URL; the web test serves through
// serve() with its own overrides of single paths.
'use strict';
const fs = require('fs');
const http = require('http');
const path = require('path');

const Types = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.wasm': 'application/wasm',
  '.txt': 'text/plain; charset=utf-8', '.json': 'application/json', '.png': 'image/png',
  '.jpg': 'image/jpeg', '.mp3': 'audio/mpeg',
};

// `override(urlPath)` may answer a path itself: a Buffer to send, or null
// for a 404; undefined leaves it to the files. Resolves to the server.
function serve(root, port = 0, override = () => undefined) {
  root = path.resolve(root);
  const server = http.createServer((request, response) => {
    const urlPath = decodeURIComponent(new URL(request.url, 'http://x').pathname);
    const send = (status, body, type) => {
      response.writeHead(status, {'Content-Type': type || 'text/plain', 'Cache-Control': 'no-store'});
      response.end(body);
    };
    const given = override(urlPath);
    const filePath = urlPath.endsWith('/') ? urlPath + 'index.html' : urlPath;
    const type = Types[path.extname(filePath).toLowerCase()] || 'application/octet-stream';
    if (given === null) return send(404, 'not found');
    if (given !== undefined) return send(200, given, type);
    const file = path.join(root, path.normalize(filePath));
    if (!file.startsWith(root + path.sep)) return send(403, 'outside');
    fs.readFile(file, (error, body) => (error ? send(404, 'not found') : send(200, body, type)));
  });
  return new Promise(resolve => server.listen(port, '127.0.0.1', () => resolve(server)));
}

if (require.main === module) {
  const root = path.resolve(process.argv[2] || '.');
  serve(root, Number(process.argv[3] || 8080)).then(server => {
    console.log(`The demo: http://127.0.0.1:${server.address().port}/  (Ctrl-C stops)`);
  });
}

module.exports = {serve};
