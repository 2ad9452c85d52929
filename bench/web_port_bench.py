#!/usr/bin/env python3
"""The relay's web port under the loads that once hurt it, with the figures to compare:

  pinger  a WebSocket client with a 4 KiB receive buffer that never reads sends 800,000 pings
          (105 MB): the relay's memory before, at most while pinged, and after;
  heads   1,100 connections each sending "GET / HTTP/1.1\\r\\n" and waiting, against a relay
          held to 1,024 open files, from one address and from 20: the relay's CPU meanwhile,
          and how long a new TCP player and a new browser player wait for their greeting;
  storm   2,000 upgrades 200 at a time, and 500 connects one after another: the slowest
          connect, and how many took a second or more;
  burst   a browser sends 2,000 notes at once (10 messages): how long until a desktop player
          has them all, and whether whole and in order.

Each phase starts `CorventServer --headless --web 8080` in a private network namespace.
  bench/web_port_bench.py BUILD_DIR
"""
import os
import socket
import struct
import subprocess
import sys
import threading
import time

HANDSHAKE = (b"GET /ws HTTP/1.1\r\nHost: 127.0.0.1:8080\r\nUpgrade: websocket\r\n"
             b"Connection: Upgrade\r\nSec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n"
             b"Sec-WebSocket-Version: 13\r\n\r\n")


def frame(opcode, payload):
    key = b"\x0f\x1e\x2d\x3c"
    length = len(payload)
    head = bytes([0x80 | opcode]) + (bytes([0x80 | length]) if length < 126
                                     else bytes([0x80 | 126]) + struct.pack(">H", length))
    return head + key + bytes(b ^ key[i & 3] for i, b in enumerate(payload))


def message(*fields):
    return b"".join(f + b"\0" for f in fields) + b"\x01"


class Relay:
    def __init__(self, binary, files=None):
        limit = [] if files is None else ["prlimit", f"--nofile={files}:{files}"]
        # Every connection comes from loopback: no cap per address.
        command = [binary, "--headless", "--web", "8080", "--max-per-address", "0"]
        self.process = subprocess.Popen(limit + command,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.time() + 5
        while time.time() < deadline:
            try:
                socket.create_connection(("127.0.0.1", 8080), timeout=0.1).close()
                break
            except OSError:
                time.sleep(0.02)
        time.sleep(0.1)

    def rss_mb(self):
        with open(f"/proc/{self.process.pid}/statm") as f:
            return int(f.read().split()[1]) * os.sysconf("SC_PAGESIZE") / 1e6

    def cpu_s(self):
        with open(f"/proc/{self.process.pid}/stat") as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")

    def stop(self):
        self.process.kill()
        self.process.wait()


def tcp_player():
    """Seconds from connect to the greeting's first message, or None."""
    start = time.time()
    try:
        s = socket.create_connection(("127.0.0.1", 9050), timeout=15)
        s.settimeout(15)
        got = s.recv(4096)
        s.close()
        return time.time() - start if got.startswith(b"UserID") else None
    except OSError:
        return None


def browser_player():
    start = time.time()
    try:
        s = socket.create_connection(("127.0.0.1", 8080), timeout=15)
        s.settimeout(15)
        s.sendall(HANDSHAKE)
        got = b""
        while b"UserID" not in got:
            part = s.recv(4096)
            if not part:
                return None
            got += part
        s.close()
        return time.time() - start
    except OSError:
        return None


def pinger(binary):
    relay = Relay(binary)
    desktop = socket.create_connection(("127.0.0.1", 9050))
    s = socket.socket()
    s.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, 4096)
    s.connect(("127.0.0.1", 8080))
    s.sendall(HANDSHAKE)
    time.sleep(0.2)
    chunk = b"".join(frame(9, bytes([97 + i % 26]) * 125) for i in range(1000))
    before = relay.rss_mb()
    most = [before]
    done = threading.Event()

    def watch():
        while not done.is_set():
            most[0] = max(most[0], relay.rss_mb())
            time.sleep(0.02)
    watcher = threading.Thread(target=watch)
    watcher.start()
    start = time.time()
    for _ in range(800):
        s.sendall(chunk)
    sent = time.time() - start
    s.shutdown(socket.SHUT_WR)
    desktop.settimeout(60)
    got = b""
    while b"UserName\x002\x00-\x00" not in got:  # gone once every ping was read
        got += desktop.recv(65536)
    done.set()
    watcher.join()
    print(f"pinger: 800,000 pings (105 MB) sent in {sent:.2f} s; relay RSS {before:.1f} MB "
          f"before, at most {most[0]:.1f} MB while pinged, {relay.rss_mb():.1f} MB after")
    relay.stop()


def heads(binary, addresses):
    relay = Relay(binary, files=1024)
    held = []
    for i in range(1100):
        s = socket.socket()
        if addresses > 1:
            s.bind((f"127.0.2.{1 + i % addresses}", 0))
        try:
            s.connect(("127.0.0.1", 8080))
            s.send(b"GET / HTTP/1.1\r\n")
        except OSError:
            pass
        held.append(s)
    time.sleep(0.5)
    cpu = relay.cpu_s()
    time.sleep(3)
    cpu = (relay.cpu_s() - cpu) / 3
    tcp = tcp_player()
    web = browser_player()
    show = lambda t: "never" if t is None else f"{t * 1000:.1f} ms"
    print(f"heads: 1,100 unfinished heads from {addresses} address(es), 1,024 files: relay CPU "
          f"{cpu * 100:.0f} % of a core; a new TCP player greeted after {show(tcp)}, a new "
          f"browser player after {show(web)}")
    for s in held:
        s.close()
    relay.stop()


def connect_time():
    start = time.time()
    s = socket.create_connection(("127.0.0.1", 8080), timeout=10)
    return time.time() - start, s


def storm(binary):
    relay = Relay(binary)
    slowest = 0
    stalls = 0
    start = time.time()
    for _ in range(10):
        batch = []
        for _ in range(200):
            took, s = connect_time()
            s.sendall(HANDSHAKE)
            batch.append(s)
            slowest = max(slowest, took)
            stalls += took >= 1
        for s in batch:
            s.recv(4096)
            s.close()
    print(f"storm: 2,000 upgrades 200 at a time in {time.time() - start:.2f} s; slowest connect "
          f"{slowest * 1000:.1f} ms, {stalls} of a second or more")
    slowest = 0
    stalls = 0
    for _ in range(500):
        took, s = connect_time()
        s.close()
        slowest = max(slowest, took)
        stalls += took >= 1
    print(f"storm: 500 connects one after another; slowest {slowest * 1000:.1f} ms, "
          f"{stalls} of a second or more")
    relay.stop()


def burst(binary):
    relay = Relay(binary)
    desktop = socket.create_connection(("127.0.0.1", 9050))
    browser = socket.create_connection(("127.0.0.1", 8080))
    browser.sendall(HANDSHAKE)
    time.sleep(0.2)
    start = time.time()
    for m in range(10):
        browser.sendall(frame(2, b"".join(message(b"NoteOn", str(i).encode(), b"1")
                                          for i in range(m * 200, (m + 1) * 200))))
    got = b""
    notes = []
    desktop.settimeout(10)
    try:
        while len(notes) < 2000:
            got += desktop.recv(65536)
            *whole, got = got.split(b"\x01")
            notes += [m for m in whole
                      if m.startswith(b"NoteOn\x00") and m.endswith(b"\x002\x00")]
    except OSError:
        print(f"burst: only {len(notes)} of 2,000 notes relayed")
        relay.stop()
        return
    elapsed = time.time() - start
    in_order = [m.split(b"\x00")[1] for m in notes] == [str(i).encode() for i in range(2000)]
    print(f"burst: 2,000 notes in 10 messages relayed {'whole and in order' if in_order else 'OUT OF ORDER'}"
          f" in {elapsed:.2f} s (500 at once, then 1,000 a second)")
    relay.stop()


def main():
    if os.environ.get("WEB_PORT_BENCH_INSIDE") != "1":
        build = os.path.abspath(sys.argv[1])
        env = dict(os.environ, WEB_PORT_BENCH_INSIDE="1")
        sys.exit(subprocess.call(["unshare", "-rn", "sh", "-c",
                                  'ip link set lo up && exec "$0" "$@"', sys.executable,
                                  os.path.abspath(__file__), build], env=env))
    binary = os.path.join(sys.argv[1], "bin", "CorventServer")
    pinger(binary)
    heads(binary, 1)
    heads(binary, 20)
    storm(binary)
    burst(binary)


if __name__ == "__main__":
    main()
