#!/usr/bin/python3
"""panel_drawn.py <screenshot> <model folder> <picture resources>: the panel
picture fills the window's client area, and an indicator picture lies at the
link indicator of every port but the combination ports, some of them lit."""
import configparser
import re
import sys
import xml.etree.ElementTree as ET
from pathlib import Path

from PIL import Image


def colours(resources, numbers):
    return {tuple(int(h[i:i + 2], 16) for i in (0, 2, 4)) for n in numbers
            for h in re.findall(r"c #([0-9a-fA-F]{6})", (resources / f"{n}.xpm").read_text())}


def problems(shot, folder, resources):
    ini = configparser.ConfigParser()
    ini.read(folder / "User.ini")
    info = ini["DeviceInfo"]
    panel = ET.parse(folder / info["XMLName"]).find(".//DEVICEPANEL")
    width, height = int(panel.findtext("WIDTH")), int(panel.findtext("HEIGHT"))
    if shot.width != width or shot.height < height:
        return [f"window {shot.width}x{shot.height}, panel {width}x{height}"]
    background = Image.open(folder / panel.findtext("BMP")).convert("RGB").resize((width, height))
    # Between the menu bar and the status line: where the panel picture shows best.
    sample = list(background.getdata())[::7]
    top = max(range(shot.height - height + 1), key=lambda y: sum(
        a == b for a, b in zip(list(shot.crop((0, y, width, y + height)).getdata())[::7], sample)))
    client = shot.crop((0, top, width, top + height))
    same = sum(a == b for a, b in zip(client.getdata(), background.getdata())) / (width * height)
    found = [] if same >= 0.5 else [f"only {same:.0%} of the panel picture shows"]

    off, lit = colours(resources, (159, 160)), colours(resources, (161, 162, 163, 164, 190, 191))
    ports = [port for container in panel for port in container if port.tag == "PORT"]
    shown = []
    for number, port in enumerate(ports[:int(info["DevicePortNum"]) - 4], start=1):
        lamp = next(child for container in port for child in container)
        at = (int(lamp.findtext("LEFT")) + 1, int(lamp.findtext("TOP")) + 1)
        shown.append(client.getpixel(at))
        if shown[-1] not in off | lit:
            found.append(f"port {number}: {shown[-1]} at {at} is no indicator colour")
    return found + ([] if lit & set(shown) else ["no port indicator is lit"])


if __name__ == "__main__":
    found = problems(Image.open(sys.argv[1]).convert("RGB"), Path(sys.argv[2]), Path(sys.argv[3]))
    for problem in found:
        print("panel_drawn:", problem, file=sys.stderr)
    sys.exit(1 if found else 0)
