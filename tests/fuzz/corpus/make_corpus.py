#!/usr/bin/env python3
"""Writes the page fuzz targets' seed inputs: whole read and save chains of each printer family,
in each target's input format, so a run starts from exchanges that complete."""
import pathlib

HERE = pathlib.Path(__file__).resolve().parent
WHOLE = [0x00]  # one piece: the whole reply
PIECES = [0x23, 0x00]  # three bytes, a pause, then the rest


def cut(length, cuts):
    """The cut bytes the world reads for a reply of length bytes: one per piece."""
    out = []
    for c in cuts:
        out.append(c)
        length -= c & 0x1F or length
        if length <= 0:
            return out
    raise ValueError("cuts leave part of the reply undelivered")


def text(s):
    return list(s.encode()) + [0]


def page_reply(body, cuts):  # current and legacy: ESC '~' prefixed, then the body
    return [0x80, len(body)] + body + cut(2 + len(body), cuts)


def module_reply(body, cuts):  # op and argument, ESC '~' prefixed, then the body
    return [0x00, 0x00, len(body)] + body + cut(2 + len(body), cuts)


def chain(click, replies, reply, cuts=WHOLE):
    out = list(click)
    for body in replies:
        out += reply(body, cuts)
    return out


def r(item, value):
    return [ord("R"), item, ord("@")] + text(value)


def q(letter, value):
    return [ord(letter), ord("?")] + text(value)


def ack(letter):
    return [ord(letter), ord("@")] if letter != "W" else [ord("W"), ord("j"), ord("@")]


def current():
    head = [r(0x20, "1.05"), r(0x21, "00:11:22:33:44:55")]
    ap = head + [r(0x02, "2"), q("Q", "2"), r(0x00, "Shop"), r(0x6A, "9100"), q("C", "JP"),
                 r(0x01, "11"), q("H", "192.168.10.1 255.255.255.0 192.168.10.1"), r(0x03, "0")]
    station = head + [r(0x02, "0"), q("Q", "2"), r(0x00, "Office"), r(0x6A, "9100"),
                      q("C", "JP"), r(0x01, "6"),
                      q("B", "0 192.168.1.100 255.255.255.0 192.168.1.1 192.168.1.1"),
                      r(0x03, "3"), r(0x04, "1"), r(0x07, "secret-key-1")]
    read, save = [0x03], [0x04]
    return {
        "read_ap": chain(read, ap, page_reply),
        "read_ap_in_pieces": chain(read, ap, page_reply, PIECES),
        "save_station_wpa": chain(read, station, page_reply)
        + chain(save, [ack(c) for c in "QWCBIGM"], page_reply),
    }


def legacy():
    records = [[192, 168, 1, 100], [255, 255, 255, 0], [192, 168, 1, 1], [192, 168, 1, 1],
               [0, 0], [1, 6, 0, 0, 1, 0, 1], list(b"Legacy-Printer") + [0] * 18, [0] * 20,
               [0] * 52, [0] * 32, [0, 0, 0, 0, 0x8C, 0x23, 0, 0, 0, 0, 0, 0], [0] * 64, [0] * 64]
    identity = [ord("C"), 0, 1, 6, 0, 0, 0, 0, 0, 0x00, 0x80, 0x92, 0x11, 0x22, 0x33, 0, 0]
    replies = [[ord("S")], identity] + [[ord("R")] + rec for rec in records]
    writes = [[ord("S")]] + [[ord("W")]] * 14 + [[ord("F")], [ord("G")]]
    read, save = [0x04], [0x0C]
    return {
        "read": chain(read, replies, page_reply),
        "read_in_pieces": chain(read, replies, page_reply, PIECES),
        "save": chain(read, replies, page_reply) + chain(save, writes, page_reply),
    }


def module():
    version = [ord("V"), ord("0")] + [0] * 9 + list(b"V2.10") + [0] * 5

    def rr(key, value):
        return [ord("R"), ord("0"), 0] + list(key.encode()) + [ord("=")] + list(value) + [0, 0]

    def s(value):
        return list(value.encode())

    def w(item):
        return [ord("W"), item, ord("0"), 0, 0]

    ap = [version, rr("mac", [0x02, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E]), [ord("I"), ord("0"), 0],
          rr("configured", s("0")), rr("ssid", s("Shop")), rr("security", s("0")),
          rr("passphrase", []), rr("mdns_enabled", s("0")), rr("port", s("9100")),
          rr("region", s("ctry:SG"))]
    read, save = [0x03, 0x00], [0x03, 0x01]
    return {
        "read_ap": chain(read, ap, module_reply),
        "read_ap_in_pieces": chain(read, ap, module_reply, PIECES),
        "save_ap": chain(read, ap, module_reply)
        + chain(save, [w(16), w(1), w(2), w(4), w(33)], module_reply),
    }


for target, seeds in {"page1_data_fuzzer": current(), "page2_data_fuzzer": legacy(),
                      "page3_data_fuzzer": module()}.items():
    folder = HERE / target
    folder.mkdir(exist_ok=True)
    for name, data in seeds.items():
        (folder / name).write_bytes(bytes(data))
