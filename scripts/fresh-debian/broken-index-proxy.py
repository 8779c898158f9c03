#!/usr/bin/env python3
"""A forward HTTP proxy for apt on 127.0.0.1 that passes everything through to the real archive,
except the i386 package indices of the security suite, which it serves cut to half their size
(as a mirror half way through a sync does): apt then reports "File has unexpected size ...
Mirror sync in progress?" for them. Every request is logged."""
import http.server, socketserver, sys, urllib.request, urllib.error, re, time

BROKEN = re.compile(sys.argv[2] if len(sys.argv) > 2 else r"/debian-security/dists/[^/]+/main/binary-i386/")
opener = urllib.request.build_opener(urllib.request.ProxyHandler({}))

class Proxy(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    def log_message(self, fmt, *args):
        sys.stderr.write("%s %s\n" % (time.strftime("%H:%M:%S"), fmt % args))
    def do_GET(self, head=False):
        url = self.path
        headers = {k: v for k, v in self.headers.items()
                   if k.lower() in ("range", "if-modified-since", "if-range", "user-agent", "accept")}
        try:
            with opener.open(urllib.request.Request(url, headers=headers, method="HEAD" if head else "GET"), timeout=120) as reply:
                status, body, reply_headers = reply.status, (b"" if head else reply.read()), reply.headers
        except urllib.error.HTTPError as error:
            status, body, reply_headers = error.code, (b"" if head else error.read()), error.headers
        except Exception as error:
            self.send_error(502, str(error)); return
        if BROKEN.search(url) and status == 200 and not head:
            self.log_message("BROKEN: %s cut from %d to %d bytes", url, len(body), len(body) // 2)
            body = body[: len(body) // 2]
        self.send_response(status)
        for key in ("Content-Type", "Last-Modified", "ETag", "Content-Range", "Accept-Ranges"):
            if reply_headers.get(key): self.send_header(key, reply_headers[key])
        self.send_header("Content-Length", str(len(body)) if not head else reply_headers.get("Content-Length", "0"))
        self.end_headers()
        if not head: self.wfile.write(body)
    def do_HEAD(self): self.do_GET(head=True)

class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True
    allow_reuse_address = True

Server(("127.0.0.1", int(sys.argv[1])), Proxy).serve_forever()
