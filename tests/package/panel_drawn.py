#!/usr/bin/python3
"""panel_drawn.py <screenshot> <model folder> <picture resources>

Checks a screenshot of the main window against the model folder it was
started for: the panel picture fills the client area, and at the link
indicator of every port but the combination ports lies an indicator picture,
some of them lit."""
import configparser
import re
import sys
import xml.etree.ElementTree as ET
from pathlib import Path

from PIL import Image

OFF = (159, 160)
LIT = (161, 162, 163, 164, 190, 191)


def colours(resources, numbers):
    found = set()
    for number in numbers:
        for hexa in re.findall(r"c #([0-9a-fA-F]{6})", (resources / f"{number}.xpm").read_text()):
            found.add(tuple(int(hexa[i:i + 2], 16) for i in (0, 2, 4)))
    return found


def main(shot_path, folder, resources):
    ini = configparser.ConfigParser()
    ini.read(folder / "User.ini")
    info = ini["DeviceInfo"]
    panel = ET.parse(folder / info["XMLName"]).find(".//DEVICEPANEL")
    width, height = int(panel.findtext("WIDTH")), int(panel.findtext("HEIGHT"))
    shot = Image.open(shot_path).convert("RGB")
    if shot.width != width or shot.height < height:
        return [f"window {shot.width}x{shot.height}, panel {width}x{height}"]
    # The menu bar lies above the panel.
    client = shot.crop((0, shot.height - height, width, shot.height))
    background = Image.open(folder / panel.findtext("BMP")).convert("RGB").resize((width, height))
    same = sum(a == b for a, b in zip(client.getdata(), background.getdata())) / (width * height)
    failures = [] if same >= 0.5 else [f"only {same:.0%} of the panel picture shows"]

    off, lit = colours(resources, OFF), colours(resources, LIT)
    ports = [port for container in panel for port in container if port.tag == "PORT"]
    shown = []
    for number, port in enumerate(ports[:int(info["DevicePortNum"]) - 4], start=1):
        lamp = next(child for container in port for child in container)
        at = (int(lamp.findtext("LEFT")) + 1, int(lamp.findtext("TOP")) + 1)
        colour = client.getpixel(at)
        if colour not in off | lit:
            failures.append(f"port {number}: {colour} at {at} is no indicator colour")
        shown.append(colour in lit)
    if not any(shown):
        failures.append("no port indicator is lit")
    return failures


if __name__ == "__main__":
    problems = main(sys.argv[1], Path(sys.argv[2]), Path(sys.argv[3]))
    for problem in problems:
        print("panel_drawn:", problem, file=sys.stderr)
    sys.exit(1 if problems else 0)
