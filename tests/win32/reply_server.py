#!/usr/bin/env python3
"""The network the scenario player's encyclopedia requests reach: a loopback HTTP server
that answers each request with the next reply the player queued as a file in SPOOL
("NNNNNN.reply": a first line "refuse" or "chunk N delay MS", then the body's bytes).
A refused request has its connection closed unanswered; without a queued reply the answer
is 404. Writes its port to PORT_FILE, then serves until killed.

    reply_server.py SPOOL PORT_FILE
"""
import os
import socket
import sys
import threading
import time


def next_reply(spool):
    names = sorted(n for n in os.listdir(spool) if n.endswith(".reply"))
    if not names:
        return None
    path = os.path.join(spool, names[0])
    with open(path, "rb") as f:
        data = f.read()
    os.remove(path)
    head, _, body = data.partition(b"\n")
    return head.decode().split(), body


def read_request(conn):
    data = b""
    while b"\r\n\r\n" not in data:
        chunk = conn.recv(4096)
        if not chunk:
            break
        data += chunk


def answer(conn, spool):
    with conn:
        read_request(conn)
        reply = next_reply(spool)
        if reply is None:
            conn.sendall(b"HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n")
            return
        words, body = reply
        if words and words[0] == "refuse":
            return
        chunk, delay = int(words[1]), int(words[3]) / 1000.0
        conn.sendall(b"HTTP/1.1 200 OK\r\nContent-Length: %d\r\nConnection: close\r\n\r\n" % len(body))
        for start in range(0, len(body), chunk):
            if delay:
                time.sleep(delay)
            conn.sendall(body[start:start + chunk])


def main():
    spool, port_file = sys.argv[1], sys.argv[2]
    server = socket.socket()
    server.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    server.bind(("127.0.0.1", 0))
    server.listen(8)
    with open(port_file + ".tmp", "w") as f:
        f.write(str(server.getsockname()[1]))
    os.rename(port_file + ".tmp", port_file)
    while True:
        conn, _ = server.accept()
        threading.Thread(target=answer, args=(conn, spool), daemon=True).start()


if __name__ == "__main__":
    main()
