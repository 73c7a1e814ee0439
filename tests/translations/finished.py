#!/usr/bin/env python3
"""finished.py FOLDER: every entry of the translation catalogues (*.ts) in FOLDER is translated
and finished, and its translation keeps what the program fills in or the keyboard uses: the same
placeholders (%1 … %9) and, where the text has a shortcut letter (&), exactly one. Prints each
entry that fails; exit status 1 when any."""
import glob
import os
import re
import sys
import xml.etree.ElementTree as ET

PLACEHOLDER = re.compile(r'%[1-9]')


def shortcuts(text):
    return len(re.findall(r'&(?!&)', text.replace('&&', '')))


def problems(source, translation):
    if translation is None or translation.get('type') in ('unfinished', 'vanished', 'obsolete'):
        return 'not finished'
    text = translation.text or ''
    if not text.strip():
        return 'no translation'
    if sorted(PLACEHOLDER.findall(source)) != sorted(PLACEHOLDER.findall(text)):
        return 'placeholders differ'
    if shortcuts(source) and shortcuts(text) != 1:
        return 'the shortcut letter (&) is missing or doubled'
    return None


def main():
    catalogues = sorted(glob.glob(os.path.join(sys.argv[1], '*.ts')))
    if not catalogues:
        print('no translation catalogues in ' + sys.argv[1], file=sys.stderr)
        return 1
    failed = 0
    for path in catalogues:
        for context in ET.parse(path).getroot().iter('context'):
            for message in context.iter('message'):
                source = message.findtext('source', '')
                problem = problems(source, message.find('translation'))
                if problem:
                    print(f'{os.path.basename(path)}: {context.findtext("name")}: "{source}": {problem}')
                    failed += 1
    return 1 if failed else 0


if __name__ == '__main__':
    sys.exit(main())
