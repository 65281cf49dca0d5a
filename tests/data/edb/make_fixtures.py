#!/usr/bin/env python3
"""Writes the damaged record-database fixtures beside this script, each one the goods
template with a single fault. Run again only to regenerate them."""
import pathlib
import struct

here = pathlib.Path(__file__).parent


def template():
    out = bytearray(b"WEDB")
    out += struct.pack("<I", 0x00010000)
    out += bytes.fromhex("9275AEBC3DAAE440")
    out += struct.pack("<iii", 4, 20, 92) + bytes(84)
    out += struct.pack("<i", 6)
    names = ["名称", "货号", "单价", "单位", "库存", "备注"]
    fields = [(10, 4, 20), (10, 24, 20), (5, 44, 0), (10, 48, 20), (3, 68, 0), (10, 72, 20)]
    for name, (code, offset, width) in zip(names, fields):
        out += name.encode("gbk").ljust(20, b"\0") + struct.pack("<iii", code, offset, width) + bytes(40)
    for i in range(4):
        record = struct.pack("<i", 16 + i) + "测试商品".encode("gbk").ljust(20, b"\0")
        record += ("K00%d" % (i + 1)).encode().ljust(20, b"\0") + struct.pack("<f", 25.0)
        record += "个".encode("gbk").ljust(20, b"\0") + struct.pack("<i", 100) + b"x".ljust(20, b"\0")
        out += record
    assert len(out) == 916
    return out


def patched(offset, fmt, value):
    image = template()
    struct.pack_into(fmt, image, offset, value)
    return image


def descriptor(field, slot):  # slot: 20 type, 24 offset, 28 width
    return 116 + 72 * (field - 1) + slot


faults = {
    "empty.edb": b"",
    "header_only.edb": template()[:112],
    "bad_magic.edb": b"WEDC" + template()[4:],
    "version_too_new.edb": patched(4, "<I", 0x00010001),
    "record_count_negative.edb": patched(16, "<i", -1),
    "record_count_beyond_size.edb": patched(16, "<i", 5),
    "record_count_absurd.edb": patched(16, "<i", 0x7FFFFFFF),
    "truncated_last_record.edb": template()[:-10],
    "next_id_zero.edb": patched(20, "<i", 0),
    "next_id_negative.edb": patched(20, "<i", -7),
    "record_length_too_small.edb": patched(24, "<i", 88),
    "record_length_negative.edb": patched(24, "<i", -92),
    "field_count_zero.edb": patched(112, "<i", 0),
    "field_count_absurd.edb": patched(112, "<i", 100000),
    "field_count_beyond_size.edb": patched(112, "<i", 20),
    "descriptor_offset_outside_record.edb": patched(descriptor(5, 24), "<i", 90),
    "descriptor_offset_negative.edb": patched(descriptor(3, 24), "<i", -4),
    "descriptor_offset_in_record_header.edb": patched(descriptor(1, 24), "<i", 2),
    "unknown_type_code.edb": patched(descriptor(2, 20), "<i", 13),
    "text_width_too_wide.edb": patched(descriptor(6, 28), "<i", 21),
    "text_width_zero.edb": patched(descriptor(1, 28), "<i", 0),
    "field_name_unterminated.edb": (lambda t: t[:116] + b"A" * 17 + t[133:])(template()),
}

for name, image in faults.items():
    (here / name).write_bytes(bytes(image))
# Well-formed files that an engine must still read.
(here / "next_id_below_identifiers.edb").write_bytes(bytes(patched(20, "<i", 3)))
(here / "trailing_bytes.edb").write_bytes(bytes(template()) + b"\x01\x02\x03")
(here / "no_records.edb").write_bytes(bytes(patched(16, "<i", 0)[:548]))
