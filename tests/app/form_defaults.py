#!/usr/bin/env python3
"""Writes what the options dialog's controls hold before anything is stored,
from Form2.ui, as a header for the tests' controls in memory: the layout is the
one place those defaults are written down.

    form_defaults.py OUTPUT.h Form2.ui
"""

import sys
import xml.etree.ElementTree as ET


def literal(text):
    out = []
    for ch in text:
        if ch in '"\\':
            out.append("\\" + ch)
        elif 32 <= ord(ch) < 127:
            out.append(ch)
        else:
            out.append("\\u%04x" % ord(ch))
    return 'u"%s"' % "".join(out)


def properties(widget):
    found = {}
    for p in widget.findall("property"):
        value = p[0]
        found[p.get("name")] = (value.text or "") if value.tag == "string" else value.text
    return found


def main(output, form):
    widgets = {w.get("name"): w for w in ET.parse(form).getroot().iter("widget")}

    def text(name):
        return literal(properties(widgets[name]).get("text", ""))

    def checked(name):
        return "true" if properties(widgets[name]).get("checked") == "true" else "false"

    def indexed(prefix):
        names = sorted((n for n in widgets if n.startswith(prefix + "_")),
                       key=lambda n: int(n.rsplit("_", 1)[1]))
        return "{" + ", ".join(text(n) for n in names) + "}"

    lines = [
        "#pragma once",
        "// Made from Form2.ui by tests/app/form_defaults.py at build time.",
        "#include <array>",
        "#include <string_view>",
        "namespace Form2Defaults {",
        "inline constexpr std::u16string_view Pmess = %s;" % text("Pmess"),
        "inline constexpr std::array<std::u16string_view, 5> Status = %s;" % indexed("Status"),
        "inline constexpr std::array<std::u16string_view, 5> Speedbox = %s;" % indexed("Speedbox"),
        "inline constexpr std::u16string_view CustIconFileTxt = %s;" % text("CustIconFileTxt"),
        "inline constexpr std::u16string_view ButText = %s;" % text("ButText"),
        "inline constexpr bool DualChk = %s;" % checked("DualChk"),
        "inline constexpr bool Ssav = %s;" % checked("Ssav"),
    ]
    for button in ("Command1", "Command2", "Command3", "Command4"):
        lines.append("inline constexpr std::u16string_view %s = %s;" % (button, text(button)))
    lines.append("} // namespace Form2Defaults")
    with open(output, "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main(*sys.argv[1:])
