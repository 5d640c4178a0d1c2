#!/bin/sh
# Runs a command under a throw-away PostgreSQL cluster (pg_virtualenv) of its
# own: a temporary folder even as root, and a free port, so that two runs on
# one machine never meet.
set -eu
PGPORT=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
export PGPORT
exec pg_virtualenv -t "$@"
