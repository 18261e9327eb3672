"""The usage-log receiver: checks each report's signature and keeps a list.

A report is GET /receive/micoclient?log=<line>|<signature>, the line sent
as it is except for blanks, control characters and a few query characters,
which the client %-encodes. The signature is MD5 over the line's GBK bytes
followed by the salt, in lowercase hex.
"""
import hashlib
import urllib.parse

from .responses import json_body, text

SALT = b"Hq4&Zt8#Wn3e"
LOG_KEY = "log="


def signature_of(line):
    return hashlib.md5(line.encode("gbk", errors="replace") + SALT).hexdigest()


def check(raw_query):
    """The report's line and whether its signature holds."""
    raw = raw_query[raw_query.find(LOG_KEY) + len(LOG_KEY):] if LOG_KEY in raw_query else ""
    value = urllib.parse.unquote_to_bytes(raw).decode("utf-8", errors="replace")
    line, _, signature = value.rpartition("|")
    return line, bool(line) and signature == signature_of(line)


def receive(site, request):
    line, valid = check(request.raw_query)
    verdict = "OK" if valid else "BAD-SIGNATURE"
    with site.lock:
        site.reports.append({"line": line, "valid": valid})
    # One line per report, whatever control characters the line carries.
    shown = "".join(c if c.isprintable() else f"\\x{ord(c):02x}" for c in line)
    print(f"REPORT {verdict} {shown}", flush=True)
    return text("ok" if valid else "bad signature")


def reports(site, request):
    with site.lock:
        return json_body(list(site.reports))


def register(site):
    site.route("/receive/micoclient", receive)
    site.route("/receive/reports", reports)
