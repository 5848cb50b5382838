#!/usr/bin/env python3
"""Fails when a guide (README or manual page) names a command, key or serialix-list option the
program does not have, or when serialix-list --help lists an option a manual page leaves out.

What counts as "named" in a guide:
  captions  a quoted text with Japanese in it: "…" or 「…」 in prose, .B/.BR/.BI arguments in
            manual pages; it must be a caption, title, menu entry or accessible name of the window
            or the example-address dialog (as guide_names prints them), or a list "A, B" of them
  keys      Ctrl+…, Alt+…, Shift+… combinations; they must be a shortcut or mnemonic of the program
  options   in code, what follows `serialix-list`; in a section about serialix-list, code that
            starts with "-"; in a manual page's OPTIONS section, the item lines
Names in pending_names.txt belong to commands still being built and are allowed while missing.
"""
import argparse
import re
import subprocess
import sys

JAPANESE = re.compile(r"[\u3000-\u30ff\u3400-\u9fff\uff00-\uffef]")
KEY = re.compile(r"(?<![\w+])((?:Ctrl|Alt|Shift)\+(?:(?:Ctrl|Alt|Shift)\+)*(?:F\d{1,2}|[A-Z0-9]))(?![\w+])")
OPTION = re.compile(r"(?<![\w'\"/\[-])(--?[A-Za-z][\w-]*(?:=[\w-]+)?|--)(?![\w-])")
# Keys a widget handles itself rather than through a shortcut: Shift+F10 opens List1's menu.
WIDGET_KEYS = {"Shift+F10"}


def roff_text(line):
    line = line.replace("\\-", "-").replace("\\(aq", "'").replace("\\e", "\\").replace("\\&", "")
    return re.sub(r"\\f[BIRP]", "", line)


def roff_args(rest):
    return [a if not a.startswith('"') else a[1:-1] for a in re.findall(r'"[^"]*"|\S+', rest)]


def options_after_command(text):
    """The options of every `serialix-list` call in a line of code, up to a pipe or redirection."""
    found = []
    for call in re.finditer(r"serialix-list((?:[^|;<>#]|->)*)", text):
        words = re.sub(r"'[^']*'", "", call.group(1))
        found += [o for o in OPTION.findall(words) if o != "-"]
    return found


class Guide:
    def __init__(self, path):
        self.path = path
        self.captions, self.keys, self.options = [], [], []  # (line number, text)
        self.option_items = set()  # options a manual page's OPTIONS section describes
        with open(path, encoding="utf-8") as f:
            lines = f.read().split("\n")
        (self.read_roff if re.search(r"\.\d(\.in)?$", path) else self.read_markdown)(lines)

    def add_prose(self, number, text):
        for quoted in re.findall(r'"([^"\n]+)"|「([^」\n]+)」', text):
            caption = quoted[0] or quoted[1]
            if JAPANESE.search(caption):
                self.captions.append((number, caption))
        self.keys += [(number, k) for k in KEY.findall(text)]

    def read_markdown(self, lines):
        in_code, list_section = False, False
        for number, line in enumerate(lines, 1):
            if line.startswith("```"):
                in_code = not in_code
                continue
            if in_code:
                self.options += [(number, o) for o in options_after_command(line)]
                continue
            if line.startswith("#"):
                list_section = "serialix-list" in line
            spans = re.findall(r"`([^`]+)`", line)
            for span in spans:
                self.options += [(number, o) for o in options_after_command(span)]
                if list_section and span.startswith("-"):
                    self.options += [(number, o) for o in OPTION.findall(span) if o != "-"]
            self.add_prose(number, re.sub(r"`[^`]+`", "", line))

    def read_roff(self, lines):
        section, item_line = "", False
        for number, raw in enumerate(lines, 1):
            line = roff_text(raw)
            if line.startswith(".SH"):
                section = " ".join(roff_args(line[3:]))
                continue
            is_item, item_line = item_line, line.startswith(".TP")
            self.options += [(number, o) for o in options_after_command(line)]
            if section in ("OPTIONS", "オプション") and is_item:
                items = [o for o in OPTION.findall(line) if o != "-"]
                self.options += [(number, o) for o in items]
                self.option_items.update(items)
            if re.match(r"\.(B|BR|BI|IB|RB)\s", line):
                macro, rest = line.split(None, 1)
                # Alternating macros: only the bold arguments are names.
                bold = slice(None) if macro == ".B" else slice(macro.index("B") - 1, None, 2)
                for arg in roff_args(rest)[bold]:
                    if JAPANESE.search(arg):
                        self.captions.append((number, arg.strip()))
                self.keys += [(number, k) for k in KEY.findall(line)]
            elif not line.startswith("."):
                self.add_prose(number, line)


def program_names(dump):
    out = subprocess.run([dump], check=True, capture_output=True, text=True).stdout
    names, keys = set(), set()
    for line in out.splitlines():
        kind, _, text = line.partition("\t")
        (names if kind == "name" else keys).add(text)
    return names, keys


def help_options(list_program, renames):
    text = subprocess.run([list_program, "--help"], check=True, capture_output=True, text=True).stdout
    for old, new in renames:
        text = text.replace(old, new)
    listed = text.split("Options:", 1)[1].split("\n\n", 1)[0]
    return set(o for o in OPTION.findall(listed))


def pending(path):
    names, keys = set(), set()
    with open(path, encoding="utf-8") as f:
        for line in f:
            kind, _, text = line.rstrip("\n").partition("\t")
            if kind in ("name", "key"):
                (names if kind == "name" else keys).add(text)
    return names, keys


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--names", required=True, help="guide_names program")
    parser.add_argument("--list", required=True, help="serialix-list program")
    parser.add_argument("--pending", required=True)
    parser.add_argument("--rename-option", action="append", default=[], metavar="OLD=NEW",
                        help="read --help as if an option had been renamed (shows the check can fail)")
    parser.add_argument("guides", nargs="+")
    args = parser.parse_args()

    names, keys = program_names(args.names)
    options = help_options(args.list, [r.split("=", 1) for r in args.rename_option])
    option_names = {o.split("=")[0] for o in options}
    waiting_names, waiting_keys = pending(args.pending)
    faults = []
    guides = [Guide(path) for path in args.guides]
    for g in guides:
        for number, caption in g.captions:
            caption = " ".join(caption.split())
            # A list of entries ("A, B" for two items described together) names each of them.
            known = names | waiting_names
            if caption not in known and not all(part in known for part in caption.split(", ")):
                faults.append(f"{g.path}:{number}: \"{caption}\" is no caption, title or menu entry of the program")
        for number, key in g.keys:
            if key not in keys and key not in WIDGET_KEYS and key not in waiting_keys:
                faults.append(f"{g.path}:{number}: {key} is no key of the program")
        for number, option in g.options:
            if option not in options and option not in option_names:
                faults.append(f"{g.path}:{number}: {option} is not in serialix-list --help")
    list_pages = [g for g in guides if re.search(r"serialix-list\.1$", g.path)]
    if not list_pages:
        faults.append("no serialix-list manual page was given")
    for g in list_pages:
        for option in sorted(options - g.option_items):
            faults.append(f"{g.path}: OPTIONS does not describe {option} of serialix-list --help")
    for name in sorted((waiting_names & names) | (waiting_keys & keys)):
        print(f"note: {name} is in the program now; take it out of {args.pending}")
    for fault in faults:
        print(fault)
    checked = sum(len(g.captions) + len(g.keys) + len(g.options) for g in guides)
    print(f"{checked} names in {len(guides)} guides checked, {len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
