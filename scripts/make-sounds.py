#!/usr/bin/env python3
"""Writes the program's default sounds (resources/sounds/*.wav): short tones
of our own, 16-bit PCM mono at 22,050 Hz. Run by hand when a tone changes;
the build copies the files into DATA/ beside the program."""
import math
import os
import struct
import wave

RATE = 22050


def tone(notes, volume=0.35):
    """notes: (frequency in Hz, seconds) pairs, played one after another,
    each with a short fade in and out so that no click is heard."""
    samples = []
    for frequency, seconds in notes:
        count = int(RATE * seconds)
        fade = max(1, min(count // 4, int(RATE * 0.008)))
        for i in range(count):
            envelope = min(1.0, i / fade, (count - 1 - i) / fade)
            samples.append(volume * envelope * math.sin(2 * math.pi * frequency * i / RATE))
    return samples


SOUNDS = {
    "switch": tone([(660, 0.05), (990, 0.07)]),
    "type": tone([(1800, 0.025)], volume=0.2),
    "result": tone([(784, 0.08), (1047, 0.12)]),
    "error": tone([(220, 0.12), (185, 0.18)], volume=0.4),
}


def main():
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "sounds")
    os.makedirs(folder, exist_ok=True)
    for name, samples in SOUNDS.items():
        with wave.open(os.path.join(folder, name + ".wav"), "wb") as out:
            out.setnchannels(1)
            out.setsampwidth(2)
            out.setframerate(RATE)
            out.writeframes(b"".join(struct.pack("<h", int(s * 32767)) for s in samples))


if __name__ == "__main__":
    main()
