#!/usr/bin/env python3
"""Makes two folders of empty files for measuring: DEST/a and DEST/b, COUNT
files each, half of the names shared. Names are like a user's: mixed case,
digits, 5 to 40 bytes. MIX "latin" (the default): about a tenth Japanese,
the rest Latin stems of 1 to 30 characters; "japanese": half Japanese, the
rest Latin stems of 1 to 8, which weigh more on the collation. The same
COUNT and MIX always give the same names.

    make_folders.py DEST COUNT [MIX]"""

import os
import random
import sys

JAPANESE = "写真旅行資料報告書議事録日本語東京大阪ファイルデータバックアップ"
LATIN = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_-. "


MIXES = {"latin": (0.1, 30), "japanese": (0.5, 8)}


def names(count, seed, mix):
    japanese_share, latin_length = MIXES[mix]
    rng = random.Random(seed)
    seen = set()
    while len(seen) < count:
        if rng.random() < japanese_share:
            stem = "".join(rng.choice(JAPANESE) for _ in range(rng.randint(2, 8)))
        else:
            stem = "".join(rng.choice(LATIN) for _ in range(rng.randint(1, latin_length)))
        name = f"{stem}{rng.randint(0, 99999)}.{rng.choice(['jpg', 'JPG', 'txt', 'pdf', 'CR2'])}"
        size = len(name.encode())
        if 5 <= size <= 40 and name.strip() == name and not name.startswith(".") and name not in seen:
            seen.add(name)
    return sorted(seen)


def make(folder, files):
    os.makedirs(folder, exist_ok=True)
    for name in files:
        os.close(os.open(os.path.join(folder, name), os.O_CREAT | os.O_WRONLY, 0o644))


def main():
    dest, count = sys.argv[1], int(sys.argv[2])
    mix = sys.argv[3] if len(sys.argv) > 3 else "latin"
    shared = names(count // 2, 1, mix)
    only_a = names(count - count // 2 + count, 2, mix)
    shared_set = set(shared)
    only_a = [n for n in only_a if n not in shared_set]
    half = count - count // 2
    make(os.path.join(dest, "a"), shared + only_a[:half])
    make(os.path.join(dest, "b"), shared + only_a[half:half * 2])


if __name__ == "__main__":
    main()
