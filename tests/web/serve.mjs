// A static file server for the built site, as any static host serves it: files only, with
// their types; nothing else answers.
import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { gzipSync } from 'node:zlib';
import { extname, join, normalize, sep } from 'node:path';

const types = {
  '.html': 'text/html; charset=utf-8',
  '.htm': 'text/html; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.wasm': 'application/wasm',
  '.png': 'image/png',
  '.json': 'application/json',
  '.svg': 'image/svg+xml',
  '.webmanifest': 'application/manifest+json',
};

// Serves `site` on a free port of 127.0.0.1; resolves to { url, close, use }, where use(folder)
// serves another folder from then on (a new version of the site at the same address). With
// `compress`, files go gzipped to a client that accepts it, as most hosts send them.
export function serve(site, { compress = false } = {}) {
  let root = site;
  const server = createServer(async (request, response) => {
    const path = decodeURIComponent(new URL(request.url, 'http://x').pathname);
    const file = normalize(join(root, path.endsWith('/') ? `${path}index.html` : path));
    if (!file.startsWith(normalize(root) + sep)) {
      response.writeHead(403).end();
      return;
    }
    try {
      const body = await readFile(file);
      const headers = { 'Content-Type': types[extname(file)] || 'application/octet-stream' };
      if (compress && /\bgzip\b/.test(request.headers['accept-encoding'] || '')) {
        headers['Content-Encoding'] = 'gzip';
        response.writeHead(200, headers).end(gzipSync(body));
        return;
      }
      response.writeHead(200, headers).end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  return new Promise((resolve) => {
    server.listen(0, '127.0.0.1', () => {
      resolve({
        url: `http://127.0.0.1:${server.address().port}/`,
        close: () => server.close(),
        use: (folder) => { root = folder; },
      });
    });
  });
}
