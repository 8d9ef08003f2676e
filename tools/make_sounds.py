#!/usr/bin/env python3
"""Makes the four edit sounds in sound/: short, distinct, 16-bit mono WAVs.

s0 raise: a rising chirp; s1 lower: a falling chirp; s2 push back: a low,
soft thud; s3 pull out: two quick high blips. Each is under half a second.
"""
import math
import os
import struct
import wave

RATE = 22050


def envelope(t, length, attack=0.005, release=0.04):
    if t < attack:
        return t / attack
    if t > length - release:
        return max(0.0, (length - t) / release)
    return 1.0


def chirp(f0, f1, length, volume=0.5):
    samples, phase = [], 0.0
    n = int(RATE * length)
    for i in range(n):
        t = i / RATE
        f = f0 + (f1 - f0) * (t / length)
        phase += 2 * math.pi * f / RATE
        samples.append(volume * envelope(t, length) * (math.sin(phase) + 0.25 * math.sin(2 * phase)) / 1.25)
    return samples


def thud(length=0.18, volume=0.7):
    samples, phase = [], 0.0
    n = int(RATE * length)
    for i in range(n):
        t = i / RATE
        f = 140 * math.exp(-t * 8)
        phase += 2 * math.pi * (60 + f) / RATE
        samples.append(volume * math.exp(-t * 18) * math.sin(phase))
    return samples


def blips():
    gap = [0.0] * int(RATE * 0.04)
    return chirp(1400, 1500, 0.07) + gap + chirp(1800, 1900, 0.07)


def write(path, samples):
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(b"".join(struct.pack("<h", int(max(-1.0, min(1.0, s)) * 32767)) for s in samples))


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "sound")
    os.makedirs(out, exist_ok=True)
    write(os.path.join(out, "s0.wav"), chirp(500, 1100, 0.16))
    write(os.path.join(out, "s1.wav"), chirp(1000, 420, 0.16))
    write(os.path.join(out, "s2.wav"), thud())
    write(os.path.join(out, "s3.wav"), blips())


if __name__ == "__main__":
    main()
