#!/usr/bin/env python3
"""Writes the page fuzz targets' seed inputs: whole read and save chains of each printer family,
in each target's input format, so a run starts from exchanges that complete."""
import pathlib

HERE = pathlib.Path(__file__).resolve().parent
WHOLE = [0x00]  # one piece: the whole reply
PIECES = [0x43, 0x00]  # three bytes, a pause just short of the line's quiet gap, then the rest
QUIET = [0x80]  # the whole reply, then the line quiet just past the gap: ends one with no end byte


def cut(length, cuts):
    """The cut bytes the world reads for a reply of length bytes: one per piece."""
    out = []
    for c in cuts:
        out.append(c)
        length -= c & 0x1F or length
        if length <= 0:
            return out
    raise ValueError("cuts leave part of the reply undelivered")


def page_reply(body, cuts):  # current and legacy: ESC '~' prefixed, then the body
    return [0x80, len(body)] + body + cut(2 + len(body), cuts)


def module_reply(body, cuts):  # op and argument, ESC '~' prefixed, then the body
    return [0x00, 0x00, len(body)] + body + cut(2 + len(body), cuts)


def chain(click, replies, reply, cuts=WHOLE):
    out = list(click)
    for body in replies:
        out += reply(body, cuts)
    return out


def r(item, value, end=(0,)):
    return [ord("R"), item, ord("@")] + list(value.encode()) + list(end)


def q(letter, value, end=(0,)):
    return [ord(letter), ord("?")] + list(value.encode()) + list(end)


def ack(letter):
    return [ord(letter), ord("@")] if letter != "W" else [ord("W"), ord("j"), ord("@")]


def current():
    def read_station(query_end=(0,), read_end=(0,)):
        def rr(item, value):
            return r(item, value, read_end)

        def qq(letter, value):
            return q(letter, value, query_end)

        return [rr(0x20, "1.05"), rr(0x21, "00:11:22:33:44:55"), rr(0x02, "0"), qq("Q", "2"),
                rr(0x00, "Office"), rr(0x6A, "9100"), qq("C", "JP"), rr(0x01, "6"),
                qq("B", "0 192.168.1.100 255.255.255.0 192.168.1.1 192.168.1.1"), rr(0x03, "3"),
                rr(0x04, "1"), rr(0x07, "secret-key-1")]

    head = [r(0x20, "1.05"), r(0x21, "00:11:22:33:44:55")]
    ap = head + [r(0x02, "2"), q("Q", "2"), r(0x00, "Shop"), r(0x6A, "9100"), q("C", "JP"),
                 r(0x01, "11"), q("H", "192.168.10.1 255.255.255.0 192.168.10.1"), r(0x03, "0")]
    # Queries ended CR LF; R values ended by nothing, each taken at the line's quiet.
    other_ends = []
    for body in read_station(query_end=(0x0D, 0x0A), read_end=()):
        other_ends += page_reply(body, QUIET if body[0] == ord("R") else WHOLE)
    # A DHCP station whose B? reply holds its flag alone, taken at the line's quiet; then saved.
    flag_alone = []
    for body in read_station():
        flag_alone += page_reply(q("B", "1") if body[0] == ord("B") else body,
                                 QUIET if body[0] == ord("B") else WHOLE)
    read, save = [0x03], [0x04]
    return {
        "read_station_dhcp_flag_alone": read + flag_alone
        + chain(save, [ack(c) for c in "QWCIGM"], page_reply),
        "read_ap": chain(read, ap, page_reply),
        "read_ap_in_pieces": chain(read, ap, page_reply, PIECES),
        "save_station_wpa": chain(read, read_station(), page_reply)
        + chain(save, [ack(c) for c in "QWCBIGM"], page_reply),
        "read_station_crlf_queries_bare_reads": read + other_ends,
    }


def legacy():
    records = [[192, 168, 1, 100], [255, 255, 255, 0], [192, 168, 1, 1], [192, 168, 1, 1],
               [0, 0], [1, 6, 0, 0, 1, 0, 1], list(b"Legacy-Printer") + [0] * 18, [0] * 20,
               [0] * 52, [0] * 32, [0, 0, 0, 0, 0x8C, 0x23, 0, 0, 0, 0, 0, 0], [0] * 64, [0] * 64]
    identity = [ord("C"), 0, 1, 6, 0, 0, 0, 0, 0, 0x00, 0x80, 0x92, 0x11, 0x22, 0x33, 0, 0]
    replies = [[ord("S")], identity] + [[ord("R")] + rec for rec in records]
    writes = [[ord("S")]] + [[ord("W")]] * 14 + [[ord("F")], [ord("G")]]
    # A 0xFF notice without its 00 amid the read, taken at the line's quiet.
    notice = [0xFF] + list(b"busy")
    read, save = [0x04], [0x0C]
    return {
        "read": chain(read, replies, page_reply),
        "read_in_pieces": chain(read, replies, page_reply, PIECES),
        "save": chain(read, replies, page_reply) + chain(save, writes, page_reply),
        "read_ff_notice_unended": chain(read, replies[:5], page_reply)
        + page_reply(notice, QUIET) + chain([], replies[5:], page_reply),
    }


def module():
    version = [ord("V"), ord("0")] + [0] * 9 + list(b"V2.10") + [0] * 5

    def rr(key, value, end=(0, 0)):
        return [ord("R"), ord("0"), 0] + list(key.encode()) + [ord("=")] + list(value) + list(end)

    def s(value):
        return list(value.encode())

    def w(item):
        return [ord("W"), item, ord("0"), 0, 0]

    def read_ap(end=(0, 0)):
        return [version, rr("mac", [0x02, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E], end),
                [ord("I"), ord("0"), 0], rr("configured", s("0"), end), rr("ssid", s("Shop"), end),
                rr("security", s("0"), end), rr("passphrase", [], end),
                rr("mdns_enabled", s("0"), end), rr("port", s("9100"), end),
                rr("region", s("ctry:SG"), end)]

    ap = read_ap()
    read, save = [0x03, 0x00], [0x03, 0x01]
    return {
        "read_ap": chain(read, ap, module_reply),
        "read_ap_in_pieces": chain(read, ap, module_reply, PIECES),
        "save_ap": chain(read, ap, module_reply)
        + chain(save, [w(16), w(1), w(2), w(4), w(33)], module_reply),
        "read_ap_crlf_trailer": chain(read, read_ap(end=(0, 0x0D, 0x0A)), module_reply),
    }


for target, seeds in {"page1_data_fuzzer": current(), "page2_data_fuzzer": legacy(),
                      "page3_data_fuzzer": module()}.items():
    folder = HERE / target
    folder.mkdir(exist_ok=True)
    for name, data in seeds.items():
        (folder / name).write_bytes(bytes(data))
