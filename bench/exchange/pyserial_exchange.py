"""The same exchange as the device link makes, done with pyserial, for comparison.

Usage: pyserial_exchange.py PORT_PATH COUNT
Prints one JSON list of seconds per exchange.
"""
import json
import sys
import time

import serial


def exchange(path: str, line: bytes) -> bytes:
    port = serial.Serial(path, 9600, bytesize=8, parity="N", stopbits=1,
                         timeout=0, xonxoff=False, rtscts=False, exclusive=True)
    try:
        port.write(line)
        time.sleep(0.150)
        return port.read(256)
    finally:
        port.close()


def main() -> None:
    path, count = sys.argv[1], int(sys.argv[2])
    times = []
    for _ in range(count):
        start = time.perf_counter()
        exchange(path, b"QZ_DEVTYPE\r\n")
        times.append(time.perf_counter() - start)
    print(json.dumps(times))


if __name__ == "__main__":
    main()
