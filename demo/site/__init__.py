"""The operator's site on 127.0.0.1: one HTTP server, routes from the modules."""
import http.server
import threading
import urllib.parse

from . import pages, receiver, static

HOST = "127.0.0.1"


class Request:
    """What a route sees of a request."""

    def __init__(self, handler):
        self.handler = handler
        self.path, _, self.raw_query = handler.path.partition("?")
        self.query = {k: v[-1] for k, v in urllib.parse.parse_qs(self.raw_query, keep_blank_values=True).items()}

    @property
    def origin(self):
        return f"http://{self.handler.headers.get('Host') or HOST}"


class Site:
    """State shared by the routes, guarded by one lock (requests run on threads)."""

    def __init__(self):
        self.lock = threading.Lock()
        self.reports = []     # usage-log reports received, with their verdicts
        self.handshakes = []  # what the server-list page learnt from the client
        self.routes = {}
        self.prefix_routes = []
        for module in (pages, receiver, static):
            module.register(self)

    def route(self, path, handler):
        self.routes[path] = handler

    def route_prefix(self, prefix, handler):
        self.prefix_routes.append((prefix, handler))

    def find(self, path):
        if path in self.routes:
            return self.routes[path]
        return next((handler for prefix, handler in self.prefix_routes if path.startswith(prefix)), None)


def make_handler(site):
    class Handler(http.server.BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.1"

        def do_GET(self):
            request = Request(self)
            route = site.find(request.path)
            status, content_type, body = route(site, request) if route else (404, "text/plain", b"not found")
            self.send_response(status)
            self.send_header("Content-Type", content_type)
            self.send_header("Content-Length", str(len(body)))
            self.send_header("Cache-Control", "no-store")
            self.end_headers()
            self.wfile.write(body)

        def log_message(self, format, *args):
            pass  # stdout carries the reports only

    return Handler


def make_server(port):
    server = http.server.ThreadingHTTPServer((HOST, port), make_handler(Site()))
    server.daemon_threads = True
    return server
