#!/usr/bin/env bash
# Spell-checks the help texts with hunspell and Debian's Russian dictionary.
# Words the dictionary lacks but the course uses (abbreviations, symbols of
# the formulas, names) are listed in the course's own word list. Text in «»
# quotes the program's captions exactly, misspellings included, and is left
# out. Usage: spellcheck.sh <texts folder> <word list>
set -euo pipefail

texts=$1
words=$2

if ! command -v hunspell >/dev/null || [ ! -f /usr/share/hunspell/ru_RU.dic ]; then
    echo "hunspell with the Russian dictionary (ru_RU) is missing: run scripts/setup.sh" >&2
    exit 1
fi

failed=0
for file in "$texts"/[0-9][0-9].txt; do
    unknown=$(perl -CSD -Mutf8 -0777 -pe 's/«[^»]*»//g' "$file" |
        hunspell -d ru_RU -i utf-8 -p "$words" -l | sort -u | tr '\n' ' ')
    if [ -n "$unknown" ]; then
        echo "$(basename "$file"): $unknown"
        failed=1
    fi
done
exit $failed
