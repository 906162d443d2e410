#!/usr/bin/env python3
"""Writes the editor's short sounds (16-bit mono, 22050 Hz) into resources/sounds/."""
import math
import os
import struct
import wave

RATE = 22050
HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "sounds")


def tone(parts, volume=0.35):
    """parts: (start Hz, end Hz, seconds) glides, each with a short fade in and out."""
    samples = []
    for start, end, seconds in parts:
        n = int(RATE * seconds)
        phase = 0.0
        for i in range(n):
            f = start + (end - start) * i / n
            phase += 2 * math.pi * f / RATE
            fade = min(1.0, i / 200, (n - i) / 400)
            samples.append(int(32767 * volume * fade * math.sin(phase)))
    return samples


def click(seconds=0.12):
    """A shutter-like burst: decaying noise from a fixed generator."""
    seed, out = 12345, []
    n = int(RATE * seconds)
    for i in range(n):
        seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
        noise = (seed / 0x7FFFFFFF) * 2 - 1
        out.append(int(32767 * 0.5 * noise * math.exp(-i / (RATE * 0.015))))
    return out


SOUNDS = {
    "camra2.wav": click() + [0] * 800 + click(0.08),
    "sfit2.wav": tone([(880, 440, 0.18)]),
    "chirt.wav": tone([(1200, 1800, 0.06), (1800, 1400, 0.06)]),
    "birdie.wav": tone([(2000, 2600, 0.05), (2600, 2000, 0.05), (2200, 3000, 0.07)]),
}

os.makedirs(HERE, exist_ok=True)
for name, samples in SOUNDS.items():
    with wave.open(os.path.join(HERE, name), "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(b"".join(struct.pack("<h", s) for s in samples))
