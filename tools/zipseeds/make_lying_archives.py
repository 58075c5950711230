#!/usr/bin/env python3
"""Writes two hostile archives for the zip tests and the zip fuzz target.

overlapping.zip: sixteen central entries that all point at one local header
whose data is 16 MiB of deflated zeros, each claiming 100 bytes (about 17 KB
on disk). lying-size.zip: one entry that claims 100 bytes and inflates to
3 MiB. The CRCs are those of the real data, so only the sizes lie.

Usage: make_lying_archives.py FOLDER
"""
import struct
import sys
import zlib
from pathlib import Path

DOS_TIME = (12 << 11) | (30 << 5)
DOS_DATE = ((2020 - 1980) << 9) | (1 << 5) | 1


def deflate(data):
    packer = zlib.compressobj(9, zlib.DEFLATED, -15)
    return packer.compress(data) + packer.flush()


def local_header(name, crc, packed, size):
    return struct.pack('<IHHHHHIIIHH', 0x04034b50, 20, 0, 8, DOS_TIME, DOS_DATE, crc, packed, size,
                       len(name), 0) + name


def central_header(name, crc, packed, size, offset):
    return struct.pack('<IHHHHHHIIIHHHHHII', 0x02014b50, 0x031e, 20, 0, 8, DOS_TIME, DOS_DATE, crc, packed,
                       size, len(name), 0, 0, 0, 0, 0o100644 << 16, offset) + name


def archive(local_part, centrals):
    directory = b''.join(centrals)
    end = struct.pack('<IHHHHIIH', 0x06054b50, 0, 0, len(centrals), len(centrals), len(directory),
                      len(local_part), 0)
    return local_part + directory + end


def overlapping():
    data = bytes(16 << 20)
    packed = deflate(data)
    crc = zlib.crc32(data)
    local = local_header(b'zeros', crc, len(packed), 100) + packed
    centrals = [central_header(b'part%02d.bin' % i, crc, len(packed), 100, 0) for i in range(16)]
    return archive(local, centrals)


def lying_size():
    data = bytes(range(256)) * (3 << 12)   # 3 MiB
    packed = deflate(data)
    crc = zlib.crc32(data)
    local = local_header(b'small.txt', crc, len(packed), 100) + packed
    return archive(local, [central_header(b'small.txt', crc, len(packed), 100, 0)])


def main():
    folder = Path(sys.argv[1])
    folder.mkdir(parents=True, exist_ok=True)
    (folder / 'overlapping.zip').write_bytes(overlapping())
    (folder / 'lying-size.zip').write_bytes(lying_size())


if __name__ == '__main__':
    main()
