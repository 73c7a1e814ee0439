#!/usr/bin/env python3
"""untranslated.py ROOT [FOLDER...]: the user-visible texts of the sources that don't go through
translation. A string literal that holds Japanese, or an English phrase in the command line's
files or in a call that shows it (a message box, a label), must be an argument of tr(), translate() or QT_TRANSLATE_NOOP()/QT_TR_NOOP() (the tables
marked for translation). A line that ends in a comment holding "notr" is left alone: names the
program stores or looks for (a configuration's stored name, font families), never shown as a
text of its own. Prints each literal found with its file and line; exit status 1 when any."""
import os
import re
import sys

JAPANESE = re.compile('[\u3000-\u30ff\u3400-\u9fff\uff00-\uffef]')
ENGLISH_PHRASE = re.compile(r'[A-Za-z]{2,}[,:]? [A-Za-z]{2,}')
TRANSLATING = {'tr', 'translate', 'QT_TRANSLATE_NOOP', 'QT_TR_NOOP', 'QT_TRANSLATE_NOOP3'}
FOLDERS = ['app', 'config', 'main', 'forms', 'foldertree', 'platform', 'archives']
# Calls that show their text to the user: an English phrase in them is a text too.
SHOWING = {'Message', 'ShowException', 'InputQuery', 'setText', 'setWindowTitle', 'setToolTip',
           'setStatusTip', 'setLabelText', 'addAction', 'SetStatusText', 'Err', 'Out'}
# The command line's files, whose texts are written in English.
ENGLISH_FILES = re.compile(r'^app/(cli|copyfailuretext|importanswers|terminaldialogs|main|handover)\.cpp$')


def literals(text):
    """(line, literal text, names of the calls whose parentheses hold it, innermost last) of each
    string literal."""
    out = []
    stack = []  # the identifier before each open parenthesis
    last_ident = None
    i, line, n = 0, 1, len(text)
    while i < n:
        c = text[i]
        if c == '\n':
            line += 1
            i += 1
        elif text.startswith('//', i):
            end = text.find('\n', i)
            i = n if end < 0 else end
        elif text.startswith('/*', i):
            end = text.find('*/', i + 2)
            end = n if end < 0 else end + 2
            line += text.count('\n', i, end)
            i = end
        elif c == 'R' and text.startswith('R"', i):
            m = re.match(r'R"([^(]*)\(', text[i:])
            end = text.find(')' + m.group(1) + '"', i)
            body = text[i + len(m.group(0)):end]
            out.append((line, body, list(stack)))
            line += body.count('\n')
            i = end + len(m.group(1)) + 2
        elif c == '"':
            j = i + 1
            while j < n and text[j] != '"':
                j += 2 if text[j] == '\\' else 1
            out.append((line, text[i + 1:j], list(stack)))
            i = j + 1
        elif c == "'" and i > 0 and text[i - 1].isdigit():
            i += 1  # a digit separator: 1'000
        elif c == "'":
            j = i + 1
            while j < n and text[j] != "'":
                j += 2 if text[j] == '\\' else 1
            i = j + 1
        elif c.isalpha() or c == '_':
            m = re.match(r'[A-Za-z_][A-Za-z_0-9]*', text[i:])
            last_ident = m.group(0)
            i += len(last_ident)
            # A prefix of a literal (u8"…", L"…") is not a call.
            continue
        elif c == '(':
            stack.append(last_ident)
            last_ident = None
            i += 1
        elif c == ')':
            if stack:
                stack.pop()
            i += 1
        else:
            if not c.isspace():
                last_ident = None
            i += 1
    return out


def main():
    root = sys.argv[1]
    folders = sys.argv[2:] or FOLDERS
    found = 0
    for folder in folders:
        for base, _, files in os.walk(os.path.join(root, folder)):
            for name in sorted(files):
                if not name.endswith(('.cpp', '.h')):
                    continue
                path = os.path.join(base, name)
                rel = os.path.relpath(path, root)
                with open(path, encoding='utf-8') as f:
                    text = f.read()
                lines = text.split('\n')
                english = bool(ENGLISH_FILES.match(rel))
                for line, literal, calls in literals(text):
                    showing = english or any(call in SHOWING for call in calls)
                    shown = JAPANESE.search(literal) or (showing and ENGLISH_PHRASE.search(literal))
                    if not shown or (calls and calls[-1] in TRANSLATING):
                        continue
                    if re.search(r'//.*\bnotr\b', lines[line - 1]):
                        continue
                    print(f'{rel}:{line}: "{literal}" is shown without translation')
                    found += 1
    if found:
        print(f'{found} texts not translated: pass them through tr() or translate(), '
              'or mark a stored name "// notr: <why>"', file=sys.stderr)
    return 1 if found else 0


if __name__ == '__main__':
    sys.exit(main())
