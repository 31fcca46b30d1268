"""Reads what Orca said while scripts/orca.sh played a training contract by keys, and fails
unless it said the contract, every card laid and by whom, every trick's taker, every pass, the
prompt with the focused card and the player's own cards, for at least 95 % of them, and that
whoever is said to be on turn is the next to lay or to pass; and the hint, the last trick and
the chart of the match where the keys asked for them.

    orca_check.py OUT e|p|k|d|z   (p: Červené with a menu walked while the computers play;
                                  z: the score sheet walked by arrows)

The count of each kind of event comes from the game, not from Orca: the cards the player laid
by a key and the standings at the end (in Kvarty each hand's points are its cards left; in
Desítky its cards left and its passes)."""
import re
import sys

out, contract = sys.argv[1], sys.argv[2]
name = {"e": "Červené", "p": "Červené", "k": "Kvarty", "d": "Desítky", "z": "Herní zápis"}[contract]
log = open(f"{out}/orca-debug.log", encoding="utf-8", errors="replace").read()
spoken = [line.rstrip("\n") for line in open(f"{out}/spoken.txt", encoding="utf-8")]
returns = int(open(f"{out}/returns.txt").read() or 0)
faults = []

if "Could not process" in log:
    faults.append(f"Orca could not process {log.count('Could not process')} events")
if contract == "z":
    # The sheet opens on its newest row (the first, before any match), then the arrows go a
    # column right, a row down and to the places: each said with its header, in that order.
    expected = ["Herní zápis", "1. kolo, Červený", "Počítač1 column header", "1. kolo, Filky", "Pořadí"]
    at = 0
    for s in spoken:
        if at < len(expected) and expected[at] in s:
            at += 1
    if at < len(expected) or "Could not process" in log:
        sys.exit(f"FAIL: the sheet did not say '{expected[min(at, len(expected) - 1)]}' in its turn\n" + "\n".join(spoken))
    print(f"{name}: rows and cells were read with their headers")
    sys.exit(0)
standings = [s for s in spoken if s.startswith("Stav po hře " + name)]
if not standings:
    sys.exit(f"FAIL: the standings of {name} were not heard\n" + "\n".join(spoken))
scores = [int(n) for n in re.findall(r" (\d+)(?:,|\.|$)", standings[0])]

# The news as Orca said them, item by item; the news a menu interrupted are told again as it
# closes: counted once.
items, again = [], False
for s in spoken:
    if s.startswith("Stav po hře"):
        break
    for i in [i.strip(" .") for i in s.split(". ") if i.strip(" .")]:
        again = contract == "p" and (i in items if ": " in i else again and i.startswith("Štych bere "))
        items += [] if again else [i]
cards = [i for i in items if re.match(r"^(Hráč|Počítač\d): \S+ \S+$", i)]
own = [i for i in cards if i.startswith("Hráč:")]
takes = [i for i in items if i.startswith("Štych bere ")]
passes = [i for i in items if i.endswith(" nemůže")]
prompts = [i for i in items if i.startswith("Vyneste kartu, ")]
turns = [i for i in items if i.startswith("Na tahu ")]


def enough(what, said, expected):
    ok = said >= 0.95 * expected and said <= expected + 0.05 * expected
    print(f"{what}: {said} said of {expected}", "" if ok else "  <-- too few or too many")
    if not ok:
        faults.append(what)


first = next((s for s in spoken if "Vyneste kartu" in s or re.search(r"(Hráč|Počítač\d): ", s)), "")
if not first.startswith(name + ". "):
    faults.append(f"the contract was not said with the first news ({first})")
enough("prompts with the focused card", len(prompts), returns)
if contract == "p" and not re.search(r"^Stav\.\n(.*\n)*?Zapis\.$", "\n".join(spoken), re.M):
    faults.append("the menu walked during the pause was not said item by item")
if contract in "ep":
    enough("cards laid", len(cards), 4 * returns)
    enough("tricks taken", len(takes), 8)  # eight tricks, however the keys went
    enough("own cards", len(own), returns)
elif contract == "k":
    enough("cards laid", len(cards), 32 - sum(scores))
    if len(own) < 0.95 * returns:  # led by a key, and taken from the hand in runs
        faults.append(f"own cards: {len(own)} said for {returns} led")
else:
    # Every hand's cards left and passes are its points: 32 - cards laid + passes. A deal may
    # have no pass at all, so the passes are checked only through that sum.
    enough("cards laid and passes", 32 - len(cards) + len(passes), sum(scores))
    enough("own cards", len(own), returns)

# In Desítky the turn goes round (unless the player lays out the whole hand in the first turn);
# in Kvarty the player may keep the lead.
if contract == "d" and not turns and len(own) < len(cards + passes):
    faults.append("nobody was said to be on turn")
# Whoever is said to be on turn is the next to lay a card or to pass.
for i, item in enumerate(items):
    if item.startswith("Na tahu "):
        who = item[len("Na tahu "):]
        after = next((j for j in items[i + 1:] if j in cards or j in passes), "")
        if not (after.startswith(who + ":") or after == who + " nemůže"):
            faults.append(f"'{item}' was followed by '{after}'")

# The hint of the first card asked for (Kvarty, Desítky), asked twice, is the card the player then lays; the
# last trick (Červené) is said whole, of cards said as they were laid; the chart by its summary.
if contract in "kd":
    hints = [i[len("Radím: "):] for i in items if i.startswith("Radím: ")]
    if len(hints) != 2 or hints[0] != hints[1] or not own or own[0] != "Hráč: " + hints[0]:
        faults.append(f"the hint was not heard twice ({hints}), or not laid ({own[:1]})")
if contract == "p":
    said = [s for s in spoken if "Poslední štych: " in s]
    trick = said[0][said[0].index("Poslední štych: "):] if len(said) == 1 else f"{len(said)} times"
    m = re.match(r"^Poslední štych: ((?:(?:Hráč|Počítač\d) \S+ \S+(?:, |\. )){4})Bere (Hráč|Počítač\d), \d+ bod", trick)
    if not m or any(c.replace(" ", ": ", 1) not in cards for c in m.group(1).rstrip(". ").split(", ")):
        faults.append(f"the last trick was said as '{trick}' (once, with the cards laid)")
    if not any(s.startswith("Průběh zápasu: ") for s in spoken):
        faults.append("the chart's summary was not said")

print(f"utterances: {len(spoken)} in all, {len(spoken) / max(1, returns):.1f} for each card the player laid")
if faults:
    sys.exit("FAIL: " + "; ".join(faults) + "\n--- what Orca said ---\n" + "\n".join(spoken))
print(f"{name}: every event was said")
