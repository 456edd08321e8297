#!/usr/bin/env python3
"""Synthesises the program's two short sounds into data/: a soft flute phrase played at start-up
("Flute.wav") and a bright fanfare for a six-hit result ("Stn.wav"). Run from the repository root."""

import math
import struct
import wave

RATE = 22050


def tone(freq, seconds, volume=0.5, harmonics=(1.0, 0.3, 0.1), vibrato=0.0):
    n = int(RATE * seconds)
    out = []
    for i in range(n):
        t = i / RATE
        attack = min(1.0, t / 0.04)
        release = min(1.0, (seconds - t) / 0.08)
        env = max(0.0, min(attack, release))
        f = freq * (1 + vibrato * math.sin(2 * math.pi * 5.5 * t))
        v = sum(a * math.sin(2 * math.pi * f * (k + 1) * t) for k, a in enumerate(harmonics))
        out.append(volume * env * v / sum(harmonics))
    return out


def write(name, samples):
    with wave.open(name, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(b"".join(struct.pack("<h", int(max(-1, min(1, s)) * 32767)) for s in samples))


flute = []
for freq, length in [(587.3, 0.22), (659.3, 0.22), (784.0, 0.22), (880.0, 0.5)]:
    flute += tone(freq, length, 0.45, (1.0, 0.15, 0.05), vibrato=0.004)
write("data/Flute.wav", flute)

fanfare = []
for freq, length in [(523.3, 0.14), (659.3, 0.14), (784.0, 0.14), (1046.5, 0.5)]:
    fanfare += tone(freq, length, 0.5, (1.0, 0.5, 0.25, 0.12))
write("data/Stn.wav", fanfare)
