# Raises unless the manifest on stdin is well-formed UTF-8 XML in Windows' namespaces, asks for the level argv[1]
# names with uiAccess="false", supports Windows Vista to 11 and declares no DPI awareness.
import sys
import xml.etree.ElementTree as ET

data = sys.stdin.buffer.read()
assert data.startswith(b'<?xml version="1.0" encoding="UTF-8"'), data[:80]
root = ET.fromstring(data)
ns = {name: "urn:schemas-microsoft-com:" + name for name in ("asm.v1", "asm.v3", "compatibility.v1")}
assert root.tag == "{urn:schemas-microsoft-com:asm.v1}assembly" and root.get("manifestVersion") == "1.0", root.tag
levels = root.findall("asm.v3:trustInfo/asm.v3:security/asm.v3:requestedPrivileges/asm.v3:requestedExecutionLevel", ns)
assert [(e.get("level"), e.get("uiAccess")) for e in levels] == [(sys.argv[1], "false")], levels
oses = [e.get("Id") for e in root.findall("compatibility.v1:compatibility/*/compatibility.v1:supportedOS", ns)]
assert oses == ["{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
                "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
                "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"], oses
assert "dpiAware" not in data.decode("utf-8"), "declares DPI awareness"
