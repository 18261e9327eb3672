"""The three kinds of answer the site gives: (status, content type, body)."""
import json


def html(text, status=200):
    return status, "text/html; charset=utf-8", text.encode("utf-8")


def text(body, status=200):
    return status, "text/plain; charset=utf-8", body.encode("utf-8")


def json_body(value, status=200):
    return status, "application/json; charset=utf-8", json.dumps(value, ensure_ascii=False).encode("utf-8")
