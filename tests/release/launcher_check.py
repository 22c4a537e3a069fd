# Checks a built launcher without running it, so on any build machine:
# it imports from the system's known DLLs alone (any other DLL would be
# looked for first beside the launcher, in a download folder anyone can write
# to); it carries exactly the resources its build gives it, each with its
# type, name and language; and its manifest passes manifest_check.py.
#
#   python3 launcher_check.py EXE LEVEL [ARCHIVES]
#
# LEVEL is the execution level the manifest asks for; ARCHIVES the folder of
# the payload's packed NAME.ovarc files (tools/pack-payload.sh), each carried
# byte for byte as resource NAME of type OVARC.
import os
import struct
import subprocess
import sys

KNOWN_DLLS = {"ADVAPI32.DLL", "GDI32.DLL", "KERNEL32.DLL", "MSVCRT.DLL", "USER32.DLL"}
NEUTRAL, GERMAN, ENGLISH_US = 0x0000, 0x0407, 0x0409
RT_BITMAP, RT_ICON, RT_DIALOG, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 2, 3, 5, 14, 16, 24
# resources/launcher.rc (the icon's six images numbered from 1) and version.rc.in.
EXPECTED = {(RT_DIALOG, 103, GERMAN), (RT_GROUP_ICON, 101, GERMAN), (RT_BITMAP, 134, ENGLISH_US),
            (RT_VERSION, 1, ENGLISH_US), (RT_MANIFEST, 1, NEUTRAL)} | {(RT_ICON, i, GERMAN) for i in range(1, 7)}

exe, level = sys.argv[1], sys.argv[2]
archives = {}
if len(sys.argv) > 3:
    for file in os.listdir(sys.argv[3]):
        if file.endswith(".ovarc"):
            archives[("OVARC", file[:-len(".ovarc")], GERMAN)] = open(os.path.join(sys.argv[3], file), "rb").read()
data = open(exe, "rb").read()

pe = struct.unpack_from("<I", data, 0x3C)[0]
assert data[pe:pe + 4] == b"PE\0\0", "not a PE image"
section_count, optional_size = struct.unpack_from("<2xH12xH", data, pe + 4)
optional = pe + 24
assert struct.unpack_from("<H", data, optional)[0] == 0x10B, "not a 32-bit image"
sections = [struct.unpack_from("<8xIIII", data, optional + optional_size + 40 * i) for i in range(section_count)]


def directory(index):  # the RVA of a data directory of the optional header
    return struct.unpack_from("<I", data, optional + 96 + 8 * index)[0]


def offset(rva):
    for size, address, raw_size, raw in sections:
        if address <= rva < address + max(size, raw_size):
            return raw + rva - address
    raise AssertionError("RVA %#x lies in no section" % rva)


imports = []
descriptor = offset(directory(1))
while struct.unpack_from("<I", data, descriptor + 12)[0] != 0:
    name = offset(struct.unpack_from("<I", data, descriptor + 12)[0])
    imports.append(data[name:data.index(b"\0", name)].decode("ascii").upper())
    descriptor += 20
assert imports and set(imports) <= KNOWN_DLLS, "imports beyond the known DLLs: %s" % imports

root = offset(directory(2))


def entries(table):  # (name or id, offset of the subdirectory or data entry) of a resource directory
    named, numbered = struct.unpack_from("<12xHH", data, table)
    for i in range(named + numbered):
        name, target = struct.unpack_from("<II", data, table + 16 + 8 * i)
        if name & 0x80000000:
            text = root + (name & 0x7FFFFFFF)
            name = data[text + 2:text + 2 + 2 * struct.unpack_from("<H", data, text)[0]].decode("utf-16-le")
        yield name, root + (target & 0x7FFFFFFF)


resources = {}
for kind, names in entries(root):
    for name, languages in entries(names):
        for language, leaf in entries(languages):
            rva, size = struct.unpack_from("<II", data, leaf)
            resources[(kind, name, language)] = data[offset(rva):offset(rva) + size]
expected = EXPECTED | set(archives)
assert set(resources) == expected, "missing %s, unexpected %s" % (sorted(expected - set(resources), key=str),
                                                                  sorted(set(resources) - expected, key=str))
for key, archive in archives.items():
    assert resources[key] == archive, "%s is not the packed %s.ovarc" % (key, key[1])

subprocess.run([sys.executable, os.path.join(os.path.dirname(__file__), "manifest_check.py"), level],
               input=resources[(RT_MANIFEST, 1, NEUTRAL)], check=True)
print("%s: imports %s; %d resources; the manifest asks for %s" %
      (os.path.basename(exe), ", ".join(imports), len(resources), level))
