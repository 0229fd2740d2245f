#!/usr/bin/env python3
"""Fails when a public name of the installed headers is missing from docs/api.md.

Names: each class and struct, the public members of each (methods, fields, properties, signals, slots) and
each enumeration with its values. Constructors, destructors and operators are left out. A name counts as
documented when docs/api.md holds it as a word anywhere; a property's setter `setX` when `X` is documented
(the document states the convention).

  check_api_names.py SOURCE_DIR
"""
import pathlib
import re
import sys

SKIP = {"Q_OBJECT", "Q_ENUM", "Q_DECLARE_FLAGS", "Q_FLAG", "Q_PROPERTY", "override", "const", "default"}


def public_names(text):
    text = re.sub(r"//[^\n]*", "", text)
    names, stack = set(), []  # stack entries: [kind, name, access]
    for line in text.splitlines():
        code = line.strip()
        top = stack[-1] if stack else None
        if top and top[0] == "class" and re.fullmatch(r"(public|protected|private)(\s+Q_SLOTS)?:|Q_SIGNALS:", code):
            top[2] = "private" if code.startswith("private") else "protected" if code.startswith("protected") else "public"
        elif top and top[0] == "enum":
            names.update(m for m in re.findall(r"\b([A-Za-z_]\w*)\s*(?:=[^,]*)?(?:,|$)", code.split("}")[0]))
        elif top and top[0] == "class" and top[2] == "public" and code:
            prop = re.match(r"Q_PROPERTY\(\s*[\w:<>*]+\s*\*?\s*(\w+)", code)
            if prop:
                names.add(prop.group(1))
            elif not code.startswith(("Q_", "friend", "using", "class ", "struct ", "enum", "}", "{")):
                call = re.search(r"\b([A-Za-z_]\w*)\s*\(", code)
                field = re.match(r"[\w:<>,\s*&]+?\b(\w+)\s*(=|\{|;)", code)
                name = call.group(1) if call else field.group(1) if field else None
                if name and name not in SKIP and name != top[1] and not name.startswith("operator"):
                    names.add(name)
        declared = re.match(r"(?:template\s*<[^>]*>\s*)?(class|struct)\s+(?:\w+_EXPORT\s+)?(\w+)[^;]*\{", code)
        enum = re.match(r"enum\s+(?:class\s+)?(\w+)[^;]*\{", code)
        visible = not top or top[0] == "namespace" or (top[0] == "class" and top[2] == "public")
        for brace in range(code.count("{") - code.count("}")):
            if declared and brace == 0:
                stack.append(["class", declared.group(2), "public" if declared.group(1) == "struct" else "private"])
                if visible:
                    names.add(declared.group(2))
            elif enum and brace == 0:
                stack.append(["enum", enum.group(1), "public"])
                if visible:
                    names.add(enum.group(1))
                    names.update(re.findall(r"\b([A-Za-z_]\w*)\s*(?:=[^,}]*)?[,}]", code.split("{", 1)[1]))
            else:
                stack.append(["namespace" if code.startswith("namespace") else "block", "", "public"])
        for _ in range(code.count("}") - code.count("{")):
            stack.pop()
    return names


def main():
    root = pathlib.Path(sys.argv[1])
    documented = set(re.findall(r"[A-Za-z_]\w*", (root / "docs" / "api.md").read_text(encoding="utf-8")))
    missing = []
    for header in sorted((root / "include" / "qxTagEditor2").glob("*.h")):
        for name in sorted(public_names(header.read_text(encoding="utf-8")) - documented):
            if name.startswith("set") and name[3:] in documented:
                continue
            missing.append(f"{header.name}: {name}")
    for line in missing:
        print("not in docs/api.md:", line)
    print(f"check_api_names: {len(missing)} public names undocumented")
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main())
