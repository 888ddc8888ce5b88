#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into ../corpus/<target>/ and
the inputs of past findings into ../regressions/<target>/.

Seeds follow each entry's input layout (tests/fuzz/*_entry.cpp and
harness.cpp); the model files of models/ serve as panel and
User.ini seeds. Run it again after changing a layout."""
import os
import shutil
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
CORPUS = os.path.join(HERE, '..', 'corpus')
MODELS = os.path.join(HERE, '..', '..', '..', 'models')


def write(target, name, data, kind='corpus'):
    folder = os.path.join(HERE, '..', kind, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), 'wb') as out:
        out.write(data if isinstance(data, bytes) else data.encode('latin-1'))


# Answer layout of AnswerTransport: kind byte, then per binding the arcs to
# drop (byte % 4), the arcs to add (byte % 5, each a byte < 0xf0), the type
# index (byte % 13) and the value.
INTEGER, OCTETS, NULL, OID, IPADDR, COUNTER, GAUGE = 0, 1, 2, 3, 4, 5, 6
END = 12


def u32(value):
    return struct.pack('>I', value & 0xffffffff)


def binding(arcs, type_index, value=b'', drop=0):
    return bytes([drop, len(arcs)] + list(arcs) + [type_index]) + value


def octets(text):
    data = text.encode('latin-1')
    return bytes([len(data)]) + data


def answer(*bindings, kind=0x40):
    return bytes([kind]) + b''.join(bindings)


def link_row(port, speed, admin, oper, medium):
    return answer(binding([port], INTEGER, u32(6)), binding([port], GAUGE, u32(speed)),
                  binding([port], INTEGER, u32(admin)), binding([port], INTEGER, u32(oper)),
                  binding([port], INTEGER, u32(medium)))


def poll_seeds():
    # Header: port count - 1, all gigabit, PoE model, fan.
    rows = b''.join(link_row(p, 100000000 if p < 25 else 1000000000, 1, 1 if p % 3 else 2, 3 if p > 26 else 1)
                    for p in range(1, 29))
    end = answer(binding([], END, drop=1), binding([], END, drop=1), binding([], END, drop=1),
                 binding([], END, drop=1), binding([], END, drop=1))
    write('poll_results', 'link_walk_28', bytes([27, 0, 0, 0]) + rows + end + b'\x00')
    fan = answer(binding([], INTEGER, u32(2)))
    led = answer(binding([], INTEGER, u32(0)), binding([], OCTETS, octets('6.5')))
    poe = b''.join(answer(binding([p], OCTETS, octets('POWER ON' if p % 2 else 'POWER OFF'))) for p in range(1, 11))
    write('poll_results', 'poe_walk_10', bytes([9, 1, 1, 1]) + fan + led + poe + answer(binding([], END, drop=1)))
    write('poll_results', 'lost_contact', bytes([27, 0, 0, 1, 0x00, 0x00]))


def agent_seeds():
    # Version flag, then operations: 0 walk, 1 get, 2 set, 3 asynchronous walk.
    walk = bytes([0, 0, 2, 0, 1]) + answer(binding([5], INTEGER, u32(1)), binding([5], GAUGE, u32(10))) \
        + answer(binding([7], INTEGER, u32(2)), binding([7], GAUGE, u32(20))) + answer(binding([], END), binding([], END))
    write('agent_answer', 'walk_two_columns', walk)
    get = bytes([1, 1, 1, 6]) + answer(binding([], OCTETS, octets('switch-1'))) \
        + bytes([2, 1, 6, 1]) + octets('name') + answer(kind=0x11) + bytes([7, 0])
    write('agent_answer', 'get_and_set', get)
    walk_async = bytes([0, 3, 1, 3]) + b''.join(answer(binding([1, p], OCTETS, octets('POWER ON'))) for p in range(1, 6)) \
        + answer(binding([], NULL, drop=2))
    write('agent_answer', 'async_walk', walk_async)
    long_string = bytes([1, 1, 1, 0]) + answer(binding([], OCTETS, b'\xff\x27\x10A'))
    write('agent_answer', 'long_string', long_string)


def table_seeds():
    # View choice, then the answers of its walk, then a row for the decoding alone.
    rows = b''.join(answer(binding([p], INTEGER, u32(p)), binding([p], INTEGER, u32(1)),
                           binding([p], GAUGE, u32(100000000))) for p in range(1, 5))
    write('table_rows', 'interface_table', bytes([0]) + rows + answer(binding([], END), binding([], END), binding([], END)))
    fdb = b''.join(answer(binding([1, 0, 0x1a, 0x2b, 0x3c, 0x4d, p], INTEGER, u32(3)),
                          binding([1, 0, 0x1a, 0x2b, 0x3c, 0x4d, p], INTEGER, u32(p))) for p in range(1, 4))
    write('table_rows', 'forwarding_table', bytes([2]) + fdb + b'\x00' + octets('.1.0.26.43.60.77.94') + b'\x02'
          + octets('3') + octets('7'))
    tcp = answer(*[binding([127, 0, 0, 1, 22, 0, 0, 0, 0], INTEGER, u32(v)) for v in (22, 0, 0, 0, 2)])
    write('table_rows', 'tcp_table', bytes([3]) + tcp)


def trunk_seeds():
    # Port count choice, read count - 1, the reads, their answers; then the
    # candidates and own members, and a row for the decoding alone.
    def ints(port, values):
        return answer(*[binding([port], INTEGER, u32(v)) for v in values])

    def rules(*ports):
        return bytes([len(ports)] + list(ports) + [0])

    tail = octets('.1') + b'\x01' + octets('\xff\xff') + b'\x09'
    end8 = answer(*[binding([], END)] * 8)
    ports = ints(1, [6, 1, 1, 2, 2, 2, 0, 0]) + ints(2, [5, 1, 1, 2, 2, 2, 0, 0]) + end8
    write('trunk_snapshot', 'port_walk_28', bytes([3, 0, 1]) + ports + rules(1, 2) + tail)
    links = answer(binding([1], OCTETS, octets('\x00\x00\x0c\x00')), binding([1], INTEGER, u32(2))) \
        + answer(binding([], END), binding([], END))
    vlans = answer(binding([10], OCTETS, octets('\xff\x00\x00\x00')), binding([10], OCTETS, octets('\x80\x00\x00\x00'))) \
        + answer(binding([], END), binding([], END))
    write('trunk_snapshot', 'links_and_vlans', bytes([3, 1, 0, 9]) + links + vlans + rules(1, 21) + tail)
    globals_ = answer(binding([], INTEGER, u32(1)), binding([], INTEGER, u32(1)), binding([], INTEGER, u32(1)))
    stp = ints(1, [1, 128, 0, 2, 2, 1, 2, 2, 1]) + ints(2, [2, 128, 0, 2, 2, 1, 2, 3, 2]) + answer(*[binding([], END)] * 9)
    write('trunk_snapshot', 'globals_and_spanning_tree', bytes([5, 1, 3, 2]) + globals_ + stp + rules(1, 2) + tail)


def ber(tag, content):
    length = len(content)
    if length < 0x80:
        head = bytes([length])
    else:
        size = (length.bit_length() + 7) // 8
        head = bytes([0x80 | size]) + length.to_bytes(size, 'big')
    return bytes([tag]) + head + content


def ber_int(value):
    return ber(0x02, value.to_bytes(max(1, (value.bit_length() + 8) // 8), 'big', signed=True))


def ber_oid(arcs):
    body = bytes([40 * arcs[0] + arcs[1]])
    for arc in arcs[2:]:
        chunk = [arc & 0x7f]
        arc >>= 7
        while arc:
            chunk.insert(0, 0x80 | (arc & 0x7f))
            arc >>= 7
        body += bytes(chunk)
    return ber(0x06, body)


def v1_response(bindings, version=0, request_id=1234, error=0):
    varbinds = ber(0x30, b''.join(ber(0x30, ber_oid(oid) + value) for oid, value in bindings))
    pdu = ber(0xa2, ber_int(request_id) + ber_int(error) + ber_int(0) + varbinds)
    return ber(0x30, ber_int(version) + ber(0x04, b'qevtal') + pdu)


def netsnmp_seeds():
    system = [1, 3, 6, 1, 2, 1, 1]
    write('netsnmp_answer', 'get_system', v1_response([
        (system + [1, 0], ber(0x04, b'QMX-7720-ZA')),
        (system + [2, 0], ber_oid([1, 3, 6, 1, 4, 1, 32473, 10, 75])),
        (system + [3, 0], ber(0x43, b'\x01\x02\x03')),
        ([1, 3, 6, 1, 2, 1, 4, 20, 1, 1, 127, 0, 0, 1], ber(0x40, b'\x7f\x00\x00\x01')),
        ([1, 3, 6, 1, 2, 1, 2, 2, 1, 10, 1], ber(0x41, b'\x00\xff\xff\xff\xff')),
        ([1, 3, 6, 1, 2, 1, 31, 1, 1, 1, 6, 1], ber(0x46, b'\x01\x00\x00\x00\x00\x00')),
        ([1, 3, 6, 1, 2, 1, 1, 9, 0], ber(0x05, b'')),
    ]))
    write('netsnmp_answer', 'v2c_exceptions', v1_response([
        (system + [9, 1], ber(0x80, b'')), (system + [9, 2], ber(0x81, b'')), (system + [9, 3], ber(0x82, b'')),
    ], version=1))
    write('netsnmp_answer', 'error_status', v1_response([(system + [5, 0], ber(0x04, b'x' * 300))], error=2))
    write('netsnmp_answer', 'bitmap', v1_response([
        ([1, 3, 6, 1, 2, 1, 17, 7, 1, 4, 3, 1, 2, 1], ber(0x04, b'\xff\xff\xff\xf0'))]))


def encodings_seeds():
    # Selector byte, then that check's input.
    write('encodings', 'bitmap_round_trip', bytes([0, 27, 28] + [1, 5, 0, 0] * 14))
    write('encodings', 'bitmap_from_switch', bytes([1, 48, 8]) + b'\xc0\x00\x00\x01\xff\x00\x00\x10')
    write('encodings', 'nibbles_and_hex', bytes([2]) + octets('F00A0001') + bytes([3, 0, 4]) + octets('0a1B2'))
    write('encodings', 'utf8', bytes([4, 0x01, 0x00]) + octets('caf\xc3\xa9 \xe6\x97\xa5\xf0\x9f\x98\x80'))
    write('encodings', 'suffix_and_name', bytes([5, 0, 32]) + octets('public') + bytes([6]) + octets('vlan-1\x00\x1a+<M'))


def text_seeds():
    write('command_line', 'version1', '/A0/I192.0.2.10/Rqevtal/Wmorvint/VTRUE/S1/P161')
    write('command_line', 'version3', '/A0/I10.0.0.7/Rr/Ww/Vfalse/S3/P161/Xseven/Yeight/N2/L3/Uadmin/Aauth pass/Bpriv-pass/C3/D2')
    write('command_line', 'no_address', '/x/y')
    for target in ('user_ini', 'panel_description'):
        os.makedirs(os.path.join(CORPUS, target), exist_ok=True)
    for model in sorted(os.listdir(MODELS)):
        folder = os.path.join(MODELS, model)
        if not os.path.isdir(folder) or not model.startswith('QMX-'):
            continue
        for name in os.listdir(folder):
            if name == 'User.ini':
                shutil.copy(os.path.join(folder, name), os.path.join(CORPUS, 'user_ini', model + '.ini'))
            elif name.endswith('.xml'):
                shutil.copy(os.path.join(folder, name), os.path.join(CORPUS, 'panel_description', name))
    write('user_ini', 'odd', '[deviceinfo]\r\nDevicePortNum = "-4294967297"\nDeviceName=\'x\'\n[DeviceInfo]\nIsHasFan=Y\n')
    write('panel_description', 'containers',
          '<R><DEVICEPANEL a="//PORT" b="/R/DEVICEPANEL" c="(" d=""><ID>0</ID><WIDTH>9</WIDTH><BMP>@/p.bmp</BMP></DEVICEPANEL>'
          '<PORT><ID>1</ID><LEFT> -3</LEFT><WIDTH>4</WIDTH><STATUS>PORTLINK100</STATUS><BMPLINK100>@/q.bmp</BMPLINK100>'
          '<LAMP><TYPE>LINK</TYPE><WIDTH>2</WIDTH></LAMP></PORT><DEVICEMODULE x="..//PORT"><WIDTH>1</WIDTH></DEVICEMODULE></R>')
    write('panel_description', 'far_corner',
          '<R><DEVICEPANEL a="/R"><WIDTH>640</WIDTH></DEVICEPANEL><PORT><ID>1</ID><LEFT>2147483000</LEFT>'
          '<TOP>-2147483000</TOP><WIDTH>2147483647</WIDTH><HEIGHT>99999999999</HEIGHT></PORT>'
          '<CONSOLE><WIDTH>-5</WIDTH><HEIGHT>3</HEIGHT></CONSOLE></R>', 'regressions')


def bmp(width, height, bits, pixels, palette=b'', compression=0):
    header_size = 14 + 40 + len(palette)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, bits, compression, len(pixels), 2835, 2835,
                       len(palette) // 4, 0)
    return b'BM' + struct.pack('<IHHI', header_size + len(pixels), 0, 0, header_size) + info + palette + pixels


def picture_seeds():
    palette2 = b'\x00\x00\x00\x00\xff\xff\xff\x00'
    write('picture', 'mono_8x2.bmp', bmp(8, 2, 1, b'\xa5\x00\x00\x00\x5a\x00\x00\x00', palette2))
    palette16 = b''.join(bytes([i * 16, i * 8, 255 - i * 16, 0]) for i in range(16))
    write('picture', 'four_bit_3x3.bmp', bmp(3, 3, 4, b'\x01\x20\x00\x00' * 3, palette16))
    palette256 = b''.join(bytes([i, i, i, 0]) for i in range(256))
    write('picture', 'rle8_4x2.bmp', bmp(4, 2, 8, b'\x04\x07\x00\x00\x02\x01\x02\x09\x00\x01', palette256, 1))
    write('picture', 'top_down_24.bmp', bmp(2, -2, 24, b'\x00\x00\xff\x00\xff\x00\x00\x00\xff\x00\x00\x00\x00\x00\x00\x00'))
    write('picture', 'os2_header.bmp', b'BM' + struct.pack('<IHHII', 30, 0, 0, 26, 12) + struct.pack('<HHHH', 1, 1, 1, 24) + b'\0\0\0\0')


if __name__ == '__main__':
    poll_seeds()
    agent_seeds()
    table_seeds()
    trunk_seeds()
    netsnmp_seeds()
    encodings_seeds()
    text_seeds()
    picture_seeds()
