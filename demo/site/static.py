"""The site's style sheets, scripts and pages that need no filling in."""
import mimetypes
import os

PREFIX = "/static/"
FOLDER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "static")


def read(name):
    with open(os.path.join(FOLDER, name), encoding="utf-8") as f:
        return f.read()


def serve(site, request):
    name = request.path[len(PREFIX):]
    path = os.path.realpath(os.path.join(FOLDER, name))
    if not path.startswith(FOLDER + os.sep) or not os.path.isfile(path):
        return 404, "text/plain", b"not found"
    content_type = mimetypes.guess_type(path)[0] or "application/octet-stream"
    if content_type.startswith("text/") or content_type.endswith("javascript"):
        content_type += "; charset=utf-8"
    with open(path, "rb") as f:
        return 200, content_type, f.read()


def register(site):
    site.route_prefix(PREFIX, serve)
