#!/usr/bin/python3
"""The demo operator site: the pages and receivers the client talks to.

    python3 demo/server.py --port 8080     serve on 127.0.0.1:8080
    python3 demo/server.py --port 0        pick a free port; the first line
                                           printed is "PORT <n>"
"""
import argparse
import importlib.util
import os
import sys

SITE_FOLDER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "site")


def load_site():
    # "site" is also the name of a standard module, which Python has loaded
    # already, so the package is loaded under a name of its own.
    spec = importlib.util.spec_from_file_location(
        "operator_site", os.path.join(SITE_FOLDER, "__init__.py"), submodule_search_locations=[SITE_FOLDER])
    module = importlib.util.module_from_spec(spec)
    sys.modules[spec.name] = module
    spec.loader.exec_module(module)
    return module


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--port", type=int, default=8080, help="port on 127.0.0.1 (0: any free one)")
    args = parser.parse_args()
    server = load_site().make_server(args.port)
    print(f"PORT {server.server_address[1]}", flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    finally:
        server.server_close()


if __name__ == "__main__":
    main()
