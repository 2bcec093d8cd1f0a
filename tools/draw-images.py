#!/usr/bin/env python3
"""Draws the program's pictures and writes them as XPM files into
resources/images/: the shared 16 x 16 pictures as strips, Norm.xpm (16
pictures: the main window's tool bar, menus and the consoles' line icons)
Small.xpm (32 pictures: the tool windows' tool bars), FileTree.xpm (the
program editor's folder tree: closed folder, open folder, file), the
evaluator's own strip Evaluator.xpm (its tree's nodes and its Evaluate
button), the welcome screen's heading pictures Welcome.xpm (calculations,
programming, plotting, data analysis); the tip window's two 100 x 110
pictures Tips.xpm (a light bulb, dark, then lit); the plotter's kind
buttons Plotter.xpm (six 39 x 38 pictures); and the splash
window's banner (SplashHigh.xpm, 450 x 120) and lower strip (SplashLow.xpm,
450 x 20). The hot and disabled variants are made from these when
the program starts. It also writes the skin layer's five glyph strips as
PNG files (SF.png, SR.png, SD.png, SE.png, SC.png: 48 x 16, three frames of
one button glyph each, with soft shadows in their alpha). Run it after
changing a picture; the XPM and PNG files are what the build compiles in."""

import math
import os
import struct
import zlib

SIZE = 16


class Picture:
    def __init__(self, width=SIZE, height=SIZE):
        self.width, self.height = width, height
        self.pixels = [[None] * width for _ in range(height)]

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def fill(self, left, top, right, bottom, colour):
        """Right and bottom exclusive."""
        for y in range(top, bottom):
            for x in range(left, right):
                self.set(x, y, colour)

    def frame(self, left, top, right, bottom, colour):
        for x in range(left, right):
            self.set(x, top, colour)
            self.set(x, bottom - 1, colour)
        for y in range(top, bottom):
            self.set(left, y, colour)
            self.set(right - 1, y, colour)

    def box(self, left, top, right, bottom, inside, edge):
        self.fill(left, top, right, bottom, inside)
        self.frame(left, top, right, bottom, edge)

    def line(self, x0, y0, x1, y1, colour):
        """Both end points included."""
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        error = dx + dy
        while True:
            self.set(x0, y0, colour)
            if x0 == x1 and y0 == y1:
                return
            twice = 2 * error
            if twice >= dy:
                error += dy
                x0 += sx
            if twice <= dx:
                error += dx
                y0 += sy

    def disc(self, cx, cy, r, colour, inner=-1.0):
        """Pixel centres within r of (cx, cy) and beyond inner."""
        for y in range(self.height):
            for x in range(self.width):
                d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
                if inner < d <= r:
                    self.set(x, y, colour)

    def polygon(self, points, colour):
        for y in range(self.height):
            for x in range(self.width):
                if inside(points, x + 0.5, y + 0.5):
                    self.set(x, y, colour)

    def pattern(self, left, top, rows, colour):
        """Rows of '#' (set) and '.' (left alone)."""
        for dy, row in enumerate(rows):
            for dx, c in enumerate(row):
                if c == '#':
                    self.set(left + dx, top + dy, colour)


def inside(points, px, py):
    result = False
    for i in range(len(points)):
        (x0, y0), (x1, y1) = points[i], points[i - 1]
        if (y0 > py) != (y1 > py) and px < x0 + (py - y0) * (x1 - x0) / (y1 - y0):
            result = not result
    return result


BLACK, WHITE = '#000000', '#FFFFFF'
GREY, DARK, LIGHT = '#808080', '#404040', '#D0D0D0'
RED, DARKRED, GREEN, DARKGREEN = '#E02020', '#800000', '#20A020', '#106010'
BLUE, DARKBLUE, NAVY = '#2060E0', '#103080', '#0A1A50'
YELLOW, ORANGE, BROWN, PAPER = '#F8D030', '#F08020', '#A06030', '#FFFFF4'
CYAN = '#20B0B0'

EXCLAMATION = ['#', '#', '#', '#', '#', '.', '#']
QUESTION = ['.##.', '#..#', '...#', '..#.', '.#..', '....', '.#..']


def page(p, left=3, top=1, right=13, bottom=15):
    p.box(left, top, right, bottom, PAPER, GREY)
    p.line(right - 3, top, right - 1, top + 2, GREY)
    p.fill(right - 2, top, right, top + 2, None)


def text_lines(p, left, top, right, count, colour=GREY):
    for i in range(count):
        p.line(left, top + 2 * i, right - (i % 2) * 2, top + 2 * i, colour)


def plus(p, cx, cy, colour=GREEN):
    p.fill(cx - 1, cy - 3, cx + 2, cy + 4, DARKGREEN)
    p.fill(cx - 3, cy - 1, cx + 4, cy + 2, DARKGREEN)
    p.line(cx, cy - 2, cx, cy + 2, colour)
    p.line(cx - 2, cy, cx + 2, cy, colour)


def gear(p):
    for k in range(8):
        a = k * math.pi / 4
        cx, cy = 8 + 6 * math.cos(a), 8 + 6 * math.sin(a)
        p.disc(cx, cy, 1.6, DARK)
    p.disc(8, 8, 6, GREY)
    p.disc(8, 8, 2.2, None)
    p.disc(8, 8, 6, DARK, 5.2)


def folder(p, inside=YELLOW):
    p.box(1, 3, 7, 5, inside, BROWN)
    p.box(1, 4, 15, 14, inside, BROWN)


def two_pages(p):
    p.box(1, 1, 10, 12, PAPER, GREY)
    text_lines(p, 3, 3, 8, 4)
    p.box(6, 4, 15, 15, PAPER, DARK)
    text_lines(p, 8, 6, 13, 4)


def circle_sign(p, fill, edge):
    p.disc(8, 8, 7.5, edge)
    p.disc(8, 8, 6.5, fill)


def arc_arrow(p, start, end, colour, head_at_end=True):
    for step in range(60):
        a = math.radians(start + (end - start) * step / 59)
        p.set(int(8 + 5.5 * math.cos(a)), int(8 - 5.5 * math.sin(a)), colour)
        p.set(int(8 + 4.5 * math.cos(a)), int(8 - 4.5 * math.sin(a)), colour)
    a = math.radians(end if head_at_end else start)
    tip = (8 + 5 * math.cos(a), 8 - 5 * math.sin(a))
    d = 1 if end > start else -1
    tangent = (-math.sin(a) * d, -math.cos(a) * d)
    normal = (math.cos(a), -math.sin(a))
    p.polygon([(tip[0] + 3 * tangent[0], tip[1] + 3 * tangent[1]),
               (tip[0] + 3 * normal[0], tip[1] + 3 * normal[1]),
               (tip[0] - 3 * normal[0], tip[1] - 3 * normal[1])], colour)


def main_menu(p):
    p.box(0, 0, 16, 16, BLUE, DARKBLUE)
    for y in (4, 7, 10):
        p.fill(3, y, 13, y + 2, WHITE)


def fatal(p):
    p.polygon([(5, 0.5), (11, 0.5), (15.5, 5), (15.5, 11), (11, 15.5), (5, 15.5), (0.5, 11), (0.5, 5)], BLACK)
    p.polygon([(5.5, 1.5), (10.5, 1.5), (14.5, 5.5), (14.5, 10.5), (10.5, 14.5), (5.5, 14.5), (1.5, 10.5), (1.5, 5.5)], DARKRED)
    p.pattern(7, 4, EXCLAMATION, WHITE)
    p.pattern(8, 4, EXCLAMATION, WHITE)


def error(p):
    circle_sign(p, RED, DARKRED)
    for d in (0, 1):
        p.line(5 + d, 5, 10 + d, 10, WHITE)
        p.line(10 + d, 5, 5 + d, 10, WHITE)


def warning(p):
    p.polygon([(8, 0.5), (15.8, 15), (0.2, 15)], DARK)
    p.polygon([(8, 2.5), (14.3, 14), (1.7, 14)], YELLOW)
    p.pattern(7, 5, EXCLAMATION, BLACK)
    p.pattern(8, 5, EXCLAMATION, BLACK)


def information(p):
    circle_sign(p, BLUE, DARKBLUE)
    p.fill(7, 3, 9, 5, WHITE)
    p.fill(7, 6, 9, 13, WHITE)
    p.line(6, 6, 6, 6, WHITE)
    p.line(6, 12, 9, 12, WHITE)


def clear(p):
    p.polygon([(1, 10), (8, 3), (15, 10), (10, 15), (6, 15)], DARK)
    p.polygon([(2.5, 10), (8, 4.5), (13.5, 10), (9.5, 14), (6.5, 14)], '#F090B0')
    p.polygon([(2.5, 10), (5.2, 7.3), (11, 13), (9.5, 14), (6.5, 14)], WHITE)


def graph2d(p):
    p.box(0, 0, 16, 16, WHITE, GREY)
    p.line(2, 2, 2, 13, BLACK)
    p.line(2, 13, 14, 13, BLACK)
    previous = None
    for x in range(3, 15):
        y = int(round(8 - 4 * math.sin((x - 3) * math.pi / 5.5)))
        if previous:
            p.line(previous[0], previous[1], x, y, RED)
        previous = (x, y)


def editor(p):
    page(p, 1, 1, 12, 15)
    text_lines(p, 3, 4, 9, 5, NAVY)
    p.polygon([(9, 14), (15, 6), (16, 7.5), (10, 15.5)], ORANGE)
    p.line(9, 15, 9, 14, BLACK)


def help_sign(p):
    circle_sign(p, BLUE, DARKBLUE)
    p.pattern(6, 4, QUESTION, WHITE)
    p.pattern(7, 4, QUESTION, WHITE)


def graph3d(p):
    """A coloured surface over a floor, with a vertical axis."""
    heights = [RED, ORANGE, YELLOW, GREEN, BLUE]
    diamond = [(0.5, 9), (8, 5), (15.5, 9), (8, 13)]
    for y in range(SIZE):
        for x in range(SIZE):
            if inside(diamond, x + 0.5, y + 0.5):
                u = (x + 0.5 - 0.5) / 15.0
                bump = math.sin(u * math.pi)
                p.set(x, int(y - 3 * bump), heights[min(4, int((y - 5) / 1.7))])
    for k in range(3):
        p.line(2 + 3 * k, 9 + 2 * k - 3, 9 + 3 * k, 5 + 2 * k - 3, DARK)
    p.line(1, 2, 1, 14, BLACK)
    p.line(1, 14, 14, 14, BLACK)


def plotter(p):
    p.box(0, 2, 14, 16, WHITE, GREY)
    for x in range(2, 13, 3):
        p.line(x, 3, x, 14, LIGHT)
    previous = None
    for x in range(1, 13):
        y = 13 - (x * x) // 14
        if previous:
            p.line(previous[0], previous[1], x, y, BLUE)
        previous = (x, y)
    p.polygon([(10, 9), (15, 0.5), (16, 2), (11.5, 10.5)], RED)
    p.set(10, 10, BLACK)


def evaluator(p):
    p.box(2, 0, 14, 16, LIGHT, DARK)
    p.box(3, 1, 13, 5, '#C0E0C0', DARK)
    p.pattern(5, 2, ['#.#.#', '.#..#'], BLACK)
    for row in range(3):
        for column in range(3):
            p.fill(4 + 3 * column, 7 + 3 * row, 6 + 3 * column, 9 + 3 * row, DARK if column < 2 else ORANGE)


def workspace(p):
    p.box(0, 1, 16, 15, WHITE, DARKBLUE)
    p.fill(1, 2, 15, 4, BLUE)
    for y in (6, 9, 12):
        p.line(1, y + 2, 14, y + 2, LIGHT)
        p.fill(2, y, 6, y + 2, '#6080C0')
        p.fill(8, y, 14, y + 2, GREY)


def new_program(p):
    page(p, 2, 1, 12, 15)
    text_lines(p, 4, 4, 9, 4)
    plus(p, 12, 12)


def open_folder(p):
    p.box(1, 2, 7, 4, YELLOW, BROWN)
    p.box(1, 3, 13, 14, '#D8A830', BROWN)
    p.polygon([(3, 7), (16, 7), (13, 14), (1, 14)], YELLOW)
    p.line(3, 7, 15, 7, BROWN)
    p.line(15, 7, 13, 13, BROWN)


def save(p):
    p.box(1, 1, 15, 15, BLUE, NAVY)
    p.box(4, 1, 12, 7, WHITE, NAVY)
    p.fill(9, 2, 11, 6, GREY)
    p.box(3, 9, 13, 15, LIGHT, NAVY)


def cut(p):
    p.line(5, 1, 10, 10, DARK)
    p.line(10, 1, 5, 10, DARK)
    for cx in (4.5, 11.5):
        p.disc(cx, 12, 3, RED)
        p.disc(cx, 12, 1.5, None)


def paste(p):
    p.box(1, 2, 12, 15, BROWN, DARK)
    p.box(4, 1, 9, 4, LIGHT, DARK)
    p.box(6, 6, 15, 16, PAPER, GREY)
    text_lines(p, 8, 8, 13, 4)


def undo(p):
    arc_arrow(p, -60, 150, BLUE)


def execute(p):
    p.polygon([(3, 1), (14, 8), (3, 15)], DARKGREEN)
    p.polygon([(4, 3), (12, 8), (4, 13)], GREEN)


def new_library(p):
    p.box(1, 1, 10, 15, RED, DARKRED)
    p.fill(2, 2, 4, 14, DARKRED)
    p.fill(5, 4, 9, 6, YELLOW)
    plus(p, 12, 12)


def add_folder(p):
    folder(p)
    plus(p, 12, 11)


def remove(p):
    for d in (-1, 0, 1):
        p.line(2 + d, 2, 13 + d, 13, RED)
        p.line(13 + d, 2, 2 + d, 13, RED)


def refresh(p):
    arc_arrow(p, 200, 20, GREEN)
    arc_arrow(p, 20, -160, DARKGREEN)


def abort(p):
    p.box(2, 2, 14, 14, RED, DARKRED)
    p.fill(5, 5, 11, 11, '#F06060')


def reset_view(p):
    p.frame(0, 0, 16, 16, GREY)
    p.disc(8, 8, 5.5, BLUE, 4.2)
    p.line(8, 1, 8, 14, NAVY)
    p.line(1, 8, 14, 8, NAVY)
    p.fill(7, 7, 10, 10, RED)


def tree_folder(p):
    folder(p)
    p.line(2, 5, 13, 5, '#FCE890')


def tree_open_folder(p):
    p.box(1, 2, 7, 4, YELLOW, BROWN)
    p.box(1, 3, 13, 14, '#D8A830', BROWN)
    p.box(3, 5, 12, 9, PAPER, GREY)
    p.polygon([(4, 8), (16, 8), (13, 14), (1, 14)], YELLOW)
    p.line(4, 8, 15, 8, BROWN)
    p.line(15, 8, 13, 13, BROWN)


def tree_file(p):
    page(p, 3, 1, 13, 15)
    text_lines(p, 5, 5, 10, 4, NAVY)


def book(p, cover, edge, open_=False):
    if open_:
        p.polygon([(0.5, 4), (8, 5.5), (15.5, 4), (15.5, 14), (8, 15.5), (0.5, 14)], edge)
        p.polygon([(1.5, 4.5), (7.5, 6), (7.5, 14.5), (1.5, 13)], PAPER)
        p.polygon([(8.5, 6), (14.5, 4.5), (14.5, 13), (8.5, 14.5)], PAPER)
        text_lines(p, 3, 7, 6, 3)
        text_lines(p, 10, 7, 13, 3)
    else:
        p.box(2, 1, 14, 15, cover, edge)
        p.fill(3, 2, 5, 14, edge)
        p.fill(7, 4, 12, 6, YELLOW)


LETTER_F = ['.###', '#...', '###.', '#...', '#...', '#...', '#...']
LETTER_P = ['###.', '#..#', '#..#', '###.', '#...', '#...', '#...']
LETTER_C = ['.###', '#...', '#...', '#...', '#...', '#...', '.###']


def routine(p, fill, edge, letter, interfaced):
    p.box(1, 2, 14, 15, fill, edge)
    p.pattern(5, 5, letter, WHITE)
    p.pattern(6, 5, letter, WHITE)
    if interfaced:
        p.polygon([(9, 0.5), (15.5, 0.5), (15.5, 7)], ORANGE)
        p.line(10, 0, 15, 5, BROWN)


def parameter_constant(p):
    p.box(0, 4, 16, 12, WHITE, GREY)
    p.line(2, 8, 13, 8, DARK)
    p.box(8, 5, 12, 12, ORANGE, BROWN)


def plain_constant(p):
    p.box(1, 2, 14, 15, LIGHT, GREY)
    p.pattern(5, 5, LETTER_C, DARK)
    p.pattern(6, 5, LETTER_C, DARK)


def evaluate(p):
    p.box(0, 1, 16, 15, '#FFE8B0', BROWN)
    p.fill(3, 5, 13, 7, DARKGREEN)
    p.fill(3, 9, 13, 11, DARKGREEN)


EVALUATOR = [lambda p: book(p, RED, DARKRED), lambda p: book(p, RED, DARKRED, True),
             lambda p: routine(p, BLUE, DARKBLUE, LETTER_F, True), lambda p: routine(p, BLUE, DARKBLUE, LETTER_F, False),
             lambda p: routine(p, GREEN, DARKGREEN, LETTER_P, True),
             lambda p: routine(p, GREEN, DARKGREEN, LETTER_P, False),
             parameter_constant, plain_constant, evaluate]


def table(p, left=0, top=1, right=16, bottom=15, rows=3):
    """A small grid of names and values, as the workspace lists them."""
    p.box(left, top, right, bottom, WHITE, DARKBLUE)
    p.fill(left + 1, top + 1, right - 1, top + 3, BLUE)
    for k in range(rows):
        y = top + 5 + 3 * k
        if y + 2 > bottom - 1:
            break
        p.fill(left + 2, y, left + 5, y + 2, '#6080C0')
        p.fill(left + 7, y, right - 2, y + 2, GREY)


def arrow(p, x0, y, x1, colour, dark):
    """A horizontal arrow from x0 to x1 (its head at x1)."""
    d = 1 if x1 > x0 else -1
    p.fill(min(x0, x1 - 3 * d), y - 1, max(x0, x1 - 3 * d) + 1, y + 2, colour)
    p.polygon([(x1 + 0.5 * d, y + 0.5), (x1 - 4.5 * d, y - 4), (x1 - 4.5 * d, y + 5)], colour)
    p.line(x1, y, x1 - 4 * d, y - 4, dark)
    p.line(x1, y, x1 - 4 * d, y + 4, dark)


def library_book(p, colour=RED, dark=DARKRED):
    p.box(1, 1, 10, 15, colour, dark)
    p.fill(2, 2, 4, 14, dark)
    p.fill(5, 4, 9, 6, YELLOW)


def close_tab(p):
    p.box(0, 2, 16, 15, WHITE, GREY)
    p.fill(1, 3, 15, 5, LIGHT)
    for d in (0, 1):
        p.line(4 + d, 7, 10 + d, 13, RED)
        p.line(10 + d, 7, 4 + d, 13, RED)


def new_variable(p):
    table(p, 0, 0, 13, 13)
    plus(p, 12, 12)


def rename_variable(p):
    p.box(0, 3, 16, 13, WHITE, DARK)
    p.pattern(2, 5, ['.....#...', '.##..#...', '...#.###.', '.###.#..#', '#..#.#..#', '.###.###.'], NAVY)
    p.line(12, 1, 12, 14, BLACK)
    p.line(11, 1, 13, 1, BLACK)
    p.line(11, 14, 13, 14, BLACK)


def edit_variable(p):
    table(p, 0, 0, 13, 13)
    p.polygon([(7, 14), (14, 6), (16, 7.5), (9, 15.5)], ORANGE)
    p.line(7, 15, 7, 14, BLACK)


def import_variable(p):
    table(p, 5, 1, 16, 15)
    arrow(p, 0, 8, 9, GREEN, DARKGREEN)


def export_variable(p):
    table(p, 0, 1, 11, 15)
    arrow(p, 6, 8, 15, BLUE, NAVY)


def load_workspace(p):
    open_folder(p)
    table(p, 6, 0, 15, 9, 1)


def save_workspace(p):
    save(p)
    table(p, 7, 7, 16, 16, 2)


def load_library(p):
    library_book(p)
    p.fill(11, 2, 14, 9, GREEN)
    p.polygon([(9, 8), (16, 8), (12.5, 14)], DARKGREEN)


def unload_library(p):
    library_book(p)
    for d in (0, 1):
        p.line(9 + d, 8, 13 + d, 12, RED)
        p.line(13 + d, 8, 9 + d, 12, RED)


def modify_size(p):
    p.box(0, 0, 11, 11, WHITE, GREY)
    for k in (4, 7):
        p.line(1, k, 9, k, LIGHT)
        p.line(k, 1, k, 9, LIGHT)
    p.line(8, 8, 15, 15, NAVY)
    p.fill(12, 15, 16, 16, NAVY)
    p.fill(15, 12, 16, 16, NAVY)


NORM = [main_menu, fatal, error, warning, information, gear, clear, None,
        graph2d, editor, help_sign, two_pages, graph3d, plotter, evaluator, workspace]

SMALL = [new_program, open_folder, save, cut, two_pages, paste, undo, execute,
         gear, help_sign, new_library, None, add_folder, None, None, remove,
         refresh, abort, reset_view, None, None, close_tab, new_variable, rename_variable,
         edit_variable, import_variable, export_variable, load_workspace, save_workspace, load_library,
         unload_library, modify_size]

FILE_TREE = [tree_folder, tree_open_folder, tree_file]


# The plotter's kind buttons, 39 x 38: each shows what its kind draws.
KIND_WIDTH, KIND_HEIGHT = 39, 38


def kind_axes(p):
    """A white plotting field with the x and y axes through its middle."""
    p.box(2, 2, 37, 36, WHITE, GREY)
    p.line(3, 19, 35, 19, DARK)
    p.line(19, 3, 19, 34, DARK)


def curve(p, points, colour, width=1):
    for (x0, y0), (x1, y1) in zip(points, points[1:]):
        for d in range(width):
            p.line(round(x0), round(y0) + d, round(x1), round(y1) + d, colour)


def kind_line(p):
    kind_axes(p)
    curve(p, [(x, 19 - 1.6 * (x - 19) / 3 * math.sin((x - 19) / 3)) for x in range(4, 35)], BLUE, 2)


def kind_parametric_2d(p):
    kind_axes(p)
    curve(p, [(19 + 13 * math.cos(3 * t / 40 * math.pi), 19 + 13 * math.sin(2 * t / 40 * math.pi))
              for t in range(81)], RED, 1)


def axes_3d(p):
    """A floor corner with three axes, seen from the front left."""
    p.box(2, 2, 37, 36, WHITE, GREY)
    p.line(10, 30, 34, 30, DARK)
    p.line(10, 30, 10, 4, DARK)
    p.line(10, 30, 3, 35, DARK)


def kind_parametric_3d(p):
    axes_3d(p)
    curve(p, [(22 + 9 * math.cos(t / 8), 28 - t * 0.22 + 3 * math.sin(t / 8)) for t in range(101)], GREEN, 1)


def surface_point(i, j):
    """Grid point (i, j), 0 .. 6 each, of a hill seen in a slanted view."""
    height = 9 * math.exp(-((i - 3) ** 2 + (j - 3) ** 2) / 5)
    return 5 + 3.8 * i + 1.6 * j, 31 - 2.0 * j - 1.3 * height


def kind_surface(p):
    axes_3d(p)
    bands = [NAVY, BLUE, CYAN, GREEN, YELLOW, RED]
    for j in range(6):
        for i in range(6):
            corners = [surface_point(i, j), surface_point(i + 1, j), surface_point(i + 1, j + 1), surface_point(i, j + 1)]
            rise = 31 - sum(y for _, y in corners) / 4 - 2.0 * (j + 0.5)
            p.polygon(corners, bands[min(5, int(rise / 2))])
    for j in range(7):
        curve(p, [surface_point(i, j) for i in range(7)], DARK)
    for i in range(7):
        curve(p, [surface_point(i, j) for j in range(7)], DARK)


def hill(x, y):
    return math.exp(-((x - 17) ** 2 + (y - 20) ** 2) / 90) + 0.7 * math.exp(-((x - 28) ** 2 + (y - 11) ** 2) / 40)


def kind_heights_map(p):
    p.box(2, 2, 37, 36, WHITE, GREY)
    bands = [NAVY, BLUE, CYAN, GREEN, YELLOW, RED]
    for y in range(3, 35):
        for x in range(3, 36):
            p.set(x, y, bands[min(5, int(hill(x, y) * 6))])


def kind_contour_lines(p):
    p.box(2, 2, 37, 36, WHITE, GREY)
    bands = [NAVY, BLUE, CYAN, GREEN, YELLOW, RED]
    for y in range(3, 35):
        for x in range(3, 36):
            here = int(hill(x, y) * 6)
            if here != int(hill(x + 1, y) * 6) or here != int(hill(x, y + 1) * 6):
                p.set(x, y, bands[min(5, here)])


KINDS = [kind_line, kind_parametric_2d, kind_parametric_3d, kind_surface, kind_heights_map, kind_contour_lines]


def bar_chart(p):
    """Bars of data under a trend line."""
    p.line(1, 1, 1, 14, BLACK)
    p.line(1, 14, 15, 14, BLACK)
    for left, top, colour in ((3, 9, BLUE), (6, 6, GREEN), (9, 8, ORANGE), (12, 4, RED)):
        p.box(left, top, left + 3, 14, colour, DARK)
    p.line(3, 8, 14, 2, DARKBLUE)


WELCOME = [evaluator, editor, graph2d, bar_chart]


def strip(drawings, width=SIZE, height=SIZE):
    pixels = [[None] * (width * len(drawings)) for _ in range(height)]
    for index, draw in enumerate(drawings):
        picture = Picture(width, height)
        if draw:
            draw(picture)
        for y in range(height):
            pixels[y][index * width:(index + 1) * width] = picture.pixels[y]
    return pixels


def write_xpm(path, name, pixels):
    colours = sorted({c for row in pixels for c in row if c})
    keys = '.' + ''.join(chr(c) for c in range(ord('A'), ord('Z') + 1)) + ''.join(
        chr(c) for c in range(ord('a'), ord('z') + 1)) + '0123456789'
    assert len(colours) < len(keys)
    key_of = {None: '.'}
    key_of.update({c: keys[i + 1] for i, c in enumerate(colours)})
    lines = [f'{len(pixels[0])} {len(pixels)} {len(colours) + 1} 1', '. c None']
    lines += [f'{key_of[c]} c {c}' for c in colours]
    lines += [''.join(key_of[c] for c in row) for row in pixels]
    with open(path, 'w') as out:
        out.write('/* XPM */\n')
        out.write(f'static const char* const {name}[] = {{\n')
        out.write(',\n'.join(f'"{line}"' for line in lines))
        out.write('};\n')


# The splash pictures: block capitals of a 5 x 7 pixel font.
FONT = {
    'A': ['01110', '10001', '10001', '11111', '10001', '10001', '10001'],
    'B': ['11110', '10001', '10001', '11110', '10001', '10001', '11110'],
    'C': ['01111', '10000', '10000', '10000', '10000', '10000', '01111'],
    'E': ['11111', '10000', '10000', '11110', '10000', '10000', '11111'],
    'F': ['11111', '10000', '10000', '11110', '10000', '10000', '10000'],
    'H': ['10001', '10001', '10001', '11111', '10001', '10001', '10001'],
    'I': ['11111', '00100', '00100', '00100', '00100', '00100', '11111'],
    'K': ['10001', '10010', '10100', '11000', '10100', '10010', '10001'],
    'L': ['10000', '10000', '10000', '10000', '10000', '10000', '11111'],
    'M': ['10001', '11011', '10101', '10101', '10001', '10001', '10001'],
    'N': ['10001', '11001', '10101', '10011', '10001', '10001', '10001'],
    'O': ['01110', '10001', '10001', '10001', '10001', '10001', '01110'],
    'Q': ['01110', '10001', '10001', '10001', '10101', '10010', '01101'],
    'R': ['11110', '10001', '10001', '11110', '10100', '10010', '10001'],
    'S': ['01111', '10000', '10000', '01110', '00001', '00001', '11110'],
    'T': ['11111', '00100', '00100', '00100', '00100', '00100', '00100'],
    'U': ['10001', '10001', '10001', '10001', '10001', '10001', '01110'],
    'W': ['10001', '10001', '10001', '10101', '10101', '11011', '10001'],
    ' ': ['00000'] * 7,
}


def canvas(width, height):
    return [[None] * width for _ in range(height)]


def text_width(text, scale):
    return len(text) * 6 * scale - scale


def write_text(pixels, text, left, top, scale, colour):
    for index, letter in enumerate(text):
        for row, bits in enumerate(FONT[letter]):
            for column, bit in enumerate(bits):
                if bit == '1':
                    x0, y0 = left + (index * 6 + column) * scale, top + row * scale
                    for y in range(y0, y0 + scale):
                        for x in range(x0, x0 + scale):
                            pixels[y][x] = colour


def gradient(pixels, top_rgb, bottom_rgb, steps):
    """Vertical, in a few steps so that the colours stay few."""
    height = len(pixels)
    for y in range(height):
        t = min(steps - 1, y * steps // height) / (steps - 1)
        colour = '#%02X%02X%02X' % tuple(round(a + (b - a) * t) for a, b in zip(top_rgb, bottom_rgb))
        pixels[y] = [colour] * len(pixels[y])


def light_bulb(lit):
    """The tip window's picture, 100 x 110, transparent around the bulb:
    dark glass and a cold filament, or yellow glass glowing from a white
    centre with rays around it."""
    width, height = 100, 110
    pixels = canvas(width, height)
    cx, cy, radius = 50, 44, 27
    if lit:
        for k in range(12):
            angle = math.pi * (-0.15 + k * 1.3 / 11)
            for r in range(radius + 6, radius + 15):
                x, y = round(cx + r * math.cos(angle)), round(cy - r * math.sin(angle))
                for dx in (0, 1):
                    if 0 <= x + dx < width and 0 <= y < height:
                        pixels[y][x + dx] = '#FFC000'
    steps = 8
    for y in range(height):
        for x in range(width):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            if d <= radius:
                t = min(steps - 1, int(d / radius * steps))
                if lit:
                    colour = tuple(round(a + (b - a) * t / (steps - 1)) for a, b in zip((255, 255, 240), (255, 200, 40)))
                else:
                    colour = tuple(round(a + (b - a) * t / (steps - 1)) for a, b in zip((150, 160, 170), (70, 76, 84)))
                pixels[y][x] = '#%02X%02X%02X' % colour
            elif d <= radius + 1.5:
                pixels[y][x] = '#C08000' if lit else '#303438'
    # The neck narrows into the screw base.
    for y in range(cy + radius - 6, cy + radius + 4):
        half = 12 - (y - (cy + radius - 6)) // 3
        for x in range(cx - half, cx + half):
            pixels[y][x] = '#FFD040' if lit else '#5A6068'
    base_top = cy + radius + 4
    for y in range(base_top, base_top + 20):
        thread = (y - base_top) % 5
        colour = ('#E0E0E0', '#C0C0C0', '#A0A0A0', '#808080', '#606060')[thread]
        for x in range(cx - 11, cx + 11):
            pixels[y][x] = colour
    for y in range(base_top + 20, base_top + 26):
        half = 8 - (y - base_top - 20)
        for x in range(cx - half, cx + half):
            pixels[y][x] = '#202020'
    # The filament: two posts and a coil between them.
    filament = '#FFFFFF' if lit else '#202020'
    for x0 in (cx - 6, cx + 5):
        for y in range(cy + 4, cy + radius - 2):
            pixels[y][x0] = '#806040' if lit else '#404040'
    for x in range(cx - 6, cx + 6):
        y = round(cy + 4 + 2 * math.sin((x - cx) * math.pi / 2))
        pixels[y][x] = filament
        pixels[y + 1][x] = filament
    # A highlight on the glass.
    for y in range(cy - 18, cy - 8):
        for x in range(cx - 16, cx - 12):
            if math.hypot(x + 0.5 - (cx - 14), (y + 0.5 - (cy - 13)) / 2.5) <= 2:
                pixels[y][x] = '#FFFFFF' if lit else '#B0B8C0'
    return pixels


def side_by_side(*pictures):
    return [sum((picture[y] for picture in pictures), []) for y in range(len(pictures[0]))]


def splash_high():
    """The banner: graph paper with a damped wave under the product's name."""
    width, height = 450, 120
    pixels = canvas(width, height)
    gradient(pixels, (24, 40, 72), (64, 64, 64), 24)
    for y in range(0, height, 15):
        for x in range(width):
            pixels[y][x] = '#3A4E6E'
    for x in range(0, width, 15):
        for y in range(height):
            pixels[y][x] = '#3A4E6E'
    for x in range(width):
        y = round(86 - 26 * math.exp(-x / 260) * math.sin(x / 18))
        for dy in (0, 1):
            pixels[y + dy][x] = '#FFC000'
    name = 'QUANTREL'
    left = (width - text_width(name, 6)) // 2
    write_text(pixels, name, left + 3, 19, 6, '#101010')
    write_text(pixels, name, left, 16, 6, '#F0F0F0')
    tagline = 'MATHEMATICS WORKBENCH'
    write_text(pixels, tagline, (width - text_width(tagline, 1)) // 2, 66, 1, '#D0D0D0')
    return pixels


def splash_low():
    """The strip below the text; a click on it switches the About text."""
    width, height = 450, 20
    pixels = canvas(width, height)
    gradient(pixels, (64, 64, 64), (24, 40, 72), 10)
    for x in range(width):
        pixels[0][x] = '#C08000'
    hint = 'CLICK HERE FOR MORE'
    write_text(pixels, hint, width - 40 - text_width(hint, 1), 7, 1, '#D0D0D0')
    return pixels


# The skin layer's glyph strips: three 16 x 16 frames of one glyph. Colours
# of eight digits carry their alpha; SHADOW is a soft one under the glyphs.
SHADOW = '#00000050'


def shadow(p, left, top, right, bottom):
    p.fill(left + 1, bottom, right + 1, bottom + 1, SHADOW)
    p.fill(right, top + 1, right + 1, bottom, SHADOW)


def magnifier(p):
    p.disc(10.5, 10.5, 3.5, '#C0E0FFB0')
    p.disc(10.5, 10.5, 3.5, DARK, 2.6)
    p.line(13, 13, 15, 15, BROWN)
    p.line(13, 14, 14, 15, BROWN)


def document(p):
    shadow(p, 3, 1, 13, 15)
    page(p)
    text_lines(p, 5, 4, 11, 5)


def document_search(p):
    document(p)
    magnifier(p)


def document_search_pressed(p):
    document(p)
    p.disc(10.5, 10.5, 3.5, '#FFF0A0C0')
    magnifier(p)


def opened_folder(p):
    shadow(p, 1, 3, 14, 14)
    open_folder(p)


def folder_arrow(p, colour):
    opened_folder(p)
    p.polygon([(9, 0), (15, 4), (9, 8)], DARKGREEN)
    p.polygon([(9.8, 1.5), (13.6, 4), (9.8, 6.5)], colour)
    p.fill(5, 3, 10, 6, DARKGREEN)
    p.fill(6, 4, 10, 5, colour)


DIGIT_SEVEN = ['#####', '....#', '...#.', '..#..', '..#..', '.#...', '.#...']


def calendar(top):
    def draw(p):
        shadow(p, 2, 1, 14, 15)
        p.box(2, 1, 14, 15, WHITE, GREY)
        p.box(2, 1, 14, 5, top, BROWN)
        p.set(5, 0, DARK)
        p.set(10, 0, DARK)
        p.pattern(6, 7, DIGIT_SEVEN, DARK)
    return draw


def ellipsis_box(dots):
    def draw(p):
        shadow(p, 1, 4, 15, 12)
        p.box(1, 4, 15, 12, WHITE, GREY)
        for x in (4, 7, 10):
            p.fill(x, 7, x + 2, 9, dots)
    return draw


def calculator(display):
    def draw(p):
        shadow(p, 3, 1, 13, 15)
        p.box(3, 1, 13, 15, LIGHT, DARK)
        p.box(4, 2, 12, 6, display, DARK)
        for row in range(3):
            for column in range(3):
                p.fill(5 + 2 * column, 8 + 2 * row, 6 + 2 * column, 9 + 2 * row, DARK)
        p.fill(11, 8, 12, 13, RED)
    return draw


SKIN_STRIPS = {
    'SF': [document, document_search, document_search_pressed],
    'SR': [opened_folder, lambda p: folder_arrow(p, GREEN), lambda p: folder_arrow(p, '#60E060')],
    'SD': [calendar(YELLOW), calendar(ORANGE), calendar(ORANGE)],
    'SE': [ellipsis_box(DARK), ellipsis_box(BLUE), ellipsis_box(DARKBLUE)],
    'SC': [calculator('#C0D8C0'), calculator('#E0F8E0'), calculator('#A0C0A0')],
}


def rgba(colour):
    if colour is None:
        return b'\0\0\0\0'
    value = bytes.fromhex(colour[1:])
    return value if len(value) == 4 else value + b'\xff'


def chunk(kind, data):
    body = kind + data
    return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body))


def write_png(path, pixels):
    """RGB with alpha, 8 bits, not interlaced, gAMA 45000 and one tEXt chunk."""
    height, width = len(pixels), len(pixels[0])
    rows = b''.join(b'\0' + b''.join(rgba(c) for c in row) for row in pixels)
    with open(path, 'wb') as out:
        out.write(b'\x89PNG\r\n\x1a\n')
        out.write(chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 6, 0, 0, 0)))
        out.write(chunk(b'gAMA', struct.pack('>I', 45000)))
        out.write(chunk(b'tEXt', b'Software\0tools/draw-images.py'))
        out.write(chunk(b'IDAT', zlib.compress(rows, 9)))
        out.write(chunk(b'IEND', b''))


if __name__ == '__main__':
    folder_out = os.path.join(os.path.dirname(__file__), '..', 'resources', 'images')
    write_xpm(os.path.join(folder_out, 'Norm.xpm'), 'NormPictures', strip(NORM))
    write_xpm(os.path.join(folder_out, 'Small.xpm'), 'SmallPictures', strip(SMALL))
    write_xpm(os.path.join(folder_out, 'FileTree.xpm'), 'FileTreePictures', strip(FILE_TREE))
    write_xpm(os.path.join(folder_out, 'Evaluator.xpm'), 'EvaluatorPictures', strip(EVALUATOR))
    write_xpm(os.path.join(folder_out, 'Plotter.xpm'), 'PlotterPictures', strip(KINDS, KIND_WIDTH, KIND_HEIGHT))
    write_xpm(os.path.join(folder_out, 'Welcome.xpm'), 'WelcomePictures', strip(WELCOME))
    write_xpm(os.path.join(folder_out, 'Tips.xpm'), 'TipsPictures', side_by_side(light_bulb(False), light_bulb(True)))
    write_xpm(os.path.join(folder_out, 'SplashHigh.xpm'), 'SplashHighPicture', splash_high())
    write_xpm(os.path.join(folder_out, 'SplashLow.xpm'), 'SplashLowPicture', splash_low())
    for name, frames in SKIN_STRIPS.items():
        write_png(os.path.join(folder_out, name + '.png'), strip(frames))
