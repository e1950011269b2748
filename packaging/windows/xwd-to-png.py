"""xwd-to-png.py XWD PNG: a 24- or 32-bit XWD picture (an Xvfb frame buffer) as PNG."""
import struct
import sys
import zlib

data = open(sys.argv[1], 'rb').read()
fields = struct.unpack('>25I', data[:100])
header_size, width, height = fields[0], fields[4], fields[5]
byte_order, bits_per_pixel, bytes_per_line, ncolors = fields[7], fields[11], fields[12], fields[19]
if bits_per_pixel != 32:
    sys.exit('xwd-to-png: only 32 bits a pixel are read, not %d' % bits_per_pixel)
pixels = header_size + 12 * ncolors
rows = []
for y in range(height):
    line = data[pixels + y * bytes_per_line:pixels + y * bytes_per_line + 4 * width]
    if byte_order == 0:  # LSBFirst: B G R x
        rgb = bytes(b for i in range(0, len(line), 4) for b in (line[i + 2], line[i + 1], line[i]))
    else:  # MSBFirst: x R G B
        rgb = bytes(b for i in range(0, len(line), 4) for b in line[i + 1:i + 4])
    rows.append(b'\0' + rgb)


def chunk(kind, body):
    return (struct.pack('>I', len(body)) + kind + body +
            struct.pack('>I', zlib.crc32(kind + body) & 0xffffffff))


with open(sys.argv[2], 'wb') as out:
    out.write(b'\x89PNG\r\n\x1a\n' +
              chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0)) +
              chunk(b'IDAT', zlib.compress(b''.join(rows), 6)) + chunk(b'IEND', b''))
