#!/usr/bin/env python3
"""The batch a scripting user would write instead of `accrua-cli batch`: one
payment request per line of JSON on standard input, one result line each on
standard output, in accrua-cli's shape. Standard library only; the
arithmetic is reference_schedule.py's.

    reference_batch.py [--rows none] < requests.jsonl
"""
import json
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import reference_schedule  # noqa: E402


def main(argv):
    with_rows = "none" not in argv[1:]
    out = sys.stdout
    for line in sys.stdin:
        if not line.strip():
            continue
        request = json.loads(line)
        result = reference_schedule.payment_result(request["principal"], request["rate"], request["years"],
                                                   request["months"])
        doc = {"exit": 0 if result else 1, "messages": []}
        fields, rows = result if result else ({}, [])
        doc["fields"] = fields
        if with_rows:
            doc["rows"] = reference_schedule.row_texts(rows)
        if "id" in request:
            doc["id"] = request["id"]
        out.write(json.dumps(doc, sort_keys=True, separators=(",", ":")) + "\n")


if __name__ == "__main__":
    main(sys.argv)
