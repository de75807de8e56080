#!/usr/bin/env python3
"""Checks Qt Linguist files: every message translated and current, the
translation keeping the source's %N placeholders, its one accelerator (&) when
the source has one, and the blanks at its ends (reports pad by them)."""
import re
import sys
import xml.etree.ElementTree as ET


def accelerators(text):
    return text.replace('&&', '').count('&')


faults = []
for path in sys.argv[1:]:
    for context in ET.parse(path).getroot().iter('context'):
        name = context.findtext('name')
        for message in context.iter('message'):
            source = message.findtext('source') or ''
            node = message.find('translation')
            # A count's message has a form per plural of the language.
            if message.get('numerus') == 'yes':
                texts = [form.text or '' for form in node.iter('numerusform')]
            else:
                texts = [node.text or '']
            where = f'{path}: {name}: {source!r}'
            if node.get('type') or not all(texts):
                faults.append(f'{where} is {node.get("type") or "empty"}')
                continue
            for text in texts:
                if set(re.findall(r'%[\dn]', source)) != set(re.findall(r'%[\dn]', text)):
                    faults.append(f'{where}: placeholders differ in {text!r}')
                if accelerators(source) != accelerators(text):
                    faults.append(f'{where}: accelerators differ in {text!r}')
                for edge in (r'^\s*', r'\s*$'):
                    if re.search(edge, source).group() != re.search(edge, text).group():
                        faults.append(f'{where}: blanks at the ends differ in {text!r}')
print('\n'.join(faults) or f'{len(sys.argv) - 1} translation files checked')
sys.exit(1 if faults else 0)
