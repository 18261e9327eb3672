"""A small HTTP server on 127.0.0.1 for the HTTP client's tests.

Usage: http_fixture_server.py PORT_FILE

Writes "<http port> <closed port> <https port>" to PORT_FILE once it serves
(the https port is 0 when no certificate could be made), and stops when its
standard input closes, that is when the test program ends. The closed port is
bound but never listens, so connecting to it is refused.

Paths:
  /connections  the number of connections accepted so far, this one included
  /status404    status 404 with a body
  /empty        status 200 with an empty body
  /chinese      a UTF-8 body with Chinese text
  /latin1       a body that is not UTF-8
  /zero         a body with a zero byte inside its first 1024 bytes
  /silent       reads the request and never answers
  anything else the request head exactly as received, as the body
"""

import os
import socket
import socketserver
import ssl
import subprocess
import sys
import tempfile
import threading

BODIES = {
    "/status404": (404, b"missing page"),
    "/empty": (200, b""),
    "/chinese": (200, "中文回应 ok".encode("utf-8")),
    "/latin1": (200, b"caf\xe9"),
    "/zero": (200, b"head\x00tail" + b"x" * 2000),
}
REASONS = {200: "OK", 404: "Not Found"}
SILENCE_SECONDS = 30

connections = 0
connections_lock = threading.Lock()
stopping = threading.Event()


def read_head(sock):
    data = b""
    while b"\r\n\r\n" not in data:
        chunk = sock.recv(4096)
        if not chunk:
            break
        data += chunk
    return data.split(b"\r\n\r\n", 1)[0] + b"\r\n\r\n"


class Handler(socketserver.BaseRequestHandler):
    def handle(self):
        global connections
        with connections_lock:
            connections += 1
            count = connections
        try:
            self.request.settimeout(10)
            head = read_head(self.request)
            target = head.split(b"\r\n", 1)[0].split(b" ")
            path = target[1].split(b"?", 1)[0].decode("latin-1") if len(target) > 1 else ""
            if path == "/silent":
                stopping.wait(SILENCE_SECONDS)
                return
            if path == "/connections":
                status, body = 200, str(count).encode()
            else:
                status, body = BODIES.get(path, (200, head))
            self.request.sendall(
                f"HTTP/1.1 {status} {REASONS[status]}\r\nContent-Length: {len(body)}\r\n"
                "Content-Type: text/plain\r\nConnection: close\r\n\r\n".encode() + body)
        except (OSError, ssl.SSLError):
            pass  # a client that gave up, or refused our certificate


class Server(socketserver.ThreadingTCPServer):
    daemon_threads = True
    allow_reuse_address = True


class TlsServer(Server):
    def __init__(self, address, handler, context):
        super().__init__(address, handler)
        self.context = context

    def get_request(self):
        sock, address = super().get_request()
        sock.settimeout(10)
        try:
            return self.context.wrap_socket(sock, server_side=True), address
        except (OSError, ssl.SSLError):
            sock.close()
            raise OSError("handshake failed")


def self_signed_context(folder):
    """A certificate for another host name, signed by nobody the client trusts."""
    key, cert = os.path.join(folder, "key.pem"), os.path.join(folder, "cert.pem")
    try:
        subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2",
                        "-subj", "/CN=other-host.invalid", "-keyout", key, "-out", cert],
                       check=True, capture_output=True, timeout=60)
    except (OSError, subprocess.SubprocessError):
        return None
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(cert, key)
    return context


def serve(server):
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server.server_address[1]


def main():
    port_file = sys.argv[1]
    http_port = serve(Server(("127.0.0.1", 0), Handler))
    closed = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    closed.bind(("127.0.0.1", 0))
    with tempfile.TemporaryDirectory() as folder:
        context = self_signed_context(folder)
        https_port = serve(TlsServer(("127.0.0.1", 0), Handler, context)) if context else 0
        with open(port_file + ".tmp", "w") as f:
            f.write(f"{http_port} {closed.getsockname()[1]} {https_port}\n")
        os.replace(port_file + ".tmp", port_file)
        sys.stdin.read()  # until the test program closes the pipe
        stopping.set()


if __name__ == "__main__":
    main()
