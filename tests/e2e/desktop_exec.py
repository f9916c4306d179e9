#!/usr/bin/env python3
"""Prints the command line of a freedesktop launcher's Exec key, one argument per line ending
in NUL, read by the Desktop Entry rules: string escapes first, then quoting, then %%."""
import sys


def unescape_string(value):
    out, i = [], 0
    table = {"s": " ", "n": "\n", "t": "\t", "r": "\r", "\\": "\\"}
    while i < len(value):
        if value[i] == "\\" and i + 1 < len(value) and value[i + 1] in table:
            out.append(table[value[i + 1]])
            i += 2
        else:
            out.append(value[i])
            i += 1
    return "".join(out)


def split_exec(command):
    args, current, i, quoted, started = [], [], 0, False, False
    while i < len(command):
        c = command[i]
        if quoted:
            if c == "\\" and i + 1 < len(command) and command[i + 1] in '"`$\\':
                current.append(command[i + 1])
                i += 1
            elif c == '"':
                quoted = False
            else:
                current.append(c)
        elif c == '"':
            quoted = started = True
        elif c == " ":
            if started:
                args.append("".join(current))
            current, started = [], False
        else:
            current.append(c)
            started = True
        i += 1
    if quoted:
        raise SystemExit("unclosed quote in Exec")
    if started:
        args.append("".join(current))
    return [a.replace("%%", "%") for a in args]


def main():
    group = None
    with open(sys.argv[1], encoding="utf-8") as launcher:
        for line in launcher:
            line = line.rstrip("\n")
            if line.startswith("["):
                group = line
            elif group == "[Desktop Entry]" and line.split("=", 1)[0].strip() == "Exec":
                for arg in split_exec(unescape_string(line.split("=", 1)[1].strip())):
                    sys.stdout.write(arg + "\0")
                return
    raise SystemExit("no Exec key")


main()
