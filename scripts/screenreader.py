"""Listens on the accessibility bus as a screen reader does and prints what the game tells it:
every focus move, every changed name or description (status bar, table cards, card counts)
and every window that opens. Used by screenreader.sh."""
import sys

import pyatspi


def heard(event):
    try:
        # Read afresh: the game keeps its name changes off the bus, so a cached name is old.
        event.source.clearCache()
        role, name, description = event.source.getRoleName(), event.source.name, event.source.description
    except Exception:  # the object may be gone already
        return
    if event.type.startswith("object:state-changed:focused") and not event.detail1:
        return  # a screen reader speaks what gains the focus, not what loses it
    kind = {"object:state-changed:focused": "focus", "window:activate": "window",
            "object:property-change:accessible-name": "name",
            "object:property-change:accessible-description": "description"}.get(event.type, event.type)
    text = f"{kind:11} {role:12} {name}"
    if description:
        text += f"  ({description})"
    print(text, flush=True)


for event_type in ("object:state-changed:focused", "window:activate",
                   "object:property-change:accessible-name",
                   "object:property-change:accessible-description"):
    pyatspi.Registry.registerEventListener(heard, event_type)
print("listening", flush=True)
pyatspi.Registry.start()
