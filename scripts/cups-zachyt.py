#!/usr/bin/env python3
"""Capture listener for a raw test queue: accepts TCP connections on 127.0.0.1 and stores
the bytes of each connection (one connection = one print job) as <seq>.part in the target
directory, renamed to <seq>.bin once the sender has closed. Writes the chosen port to
the file given as the second argument when it is ready.

Usage: cups-zachyt.py TARGET_DIR PORT_FILE

With OBLEPKY_ZAVRIT_PO=N in the environment the first connection is cut after N bytes, like
a printer that drops the line in the middle of a job; later connections are captured whole.

With OBLEPKY_PORT=PORT it listens on that port (a printer switched off and on again comes
back where it was); otherwise on a free one.

With OBLEPKY_TICHY=PORT it plays a print server that stalls: the first connection is passed
on to 127.0.0.1:PORT (so the printer list answers), every later one is taken and never
answered; nothing is stored.
"""

import os
import socket
import sys
import threading

cil, soubor_portu = sys.argv[1], sys.argv[2]
os.makedirs(cil, exist_ok=True)

zamek = threading.Lock()
zavrit_po = int(os.environ.get("OBLEPKY_ZAVRIT_PO", "0") or 0)
tichy = int(os.environ.get("OBLEPKY_TICHY", "0") or 0)


def dalsi_poradi():
    # Continues after the jobs already captured, so a restarted listener never overwrites.
    cisla = [int(n.split(".")[0]) for n in os.listdir(cil) if n.split(".")[0].isdigit()]
    return max(cisla, default=0) + 1


poradi = dalsi_poradi()


def obsluz(spojeni, cislo, limit):
    zaklad = os.path.join(cil, "%06d" % cislo)
    prijato = 0
    with spojeni, open(zaklad + ".part", "wb") as vystup:
        while True:
            data = spojeni.recv(65536)
            if not data:
                break
            if limit and prijato + len(data) >= limit:
                vystup.write(data[: limit - prijato])
                break
            prijato += len(data)
            vystup.write(data)
    os.rename(zaklad + ".part", zaklad + ".bin")


server = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
server.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
server.bind(("127.0.0.1", int(os.environ.get("OBLEPKY_PORT", "0") or 0)))
server.listen(16)
docasny = soubor_portu + ".tmp"
with open(docasny, "w") as f:
    f.write(str(server.getsockname()[1]))
os.rename(docasny, soubor_portu)

def preposli(odkud, kam):
    try:
        while data := odkud.recv(65536):
            kam.sendall(data)
    except OSError:
        pass
    for s in (odkud, kam):
        try:
            s.shutdown(socket.SHUT_RDWR)
        except OSError:
            pass


if tichy:
    mlcici = []
    spojeni, _ = server.accept()
    server_cups = socket.create_connection(("127.0.0.1", tichy))
    for smer in ((spojeni, server_cups), (server_cups, spojeni)):
        threading.Thread(target=preposli, args=smer, daemon=True).start()
    while True:
        mlcici.append(server.accept()[0])

while True:
    spojeni, _ = server.accept()
    with zamek:
        cislo = poradi
        poradi += 1
        limit, zavrit_po = zavrit_po, 0
    threading.Thread(target=obsluz, args=(spojeni, cislo, limit), daemon=True).start()
