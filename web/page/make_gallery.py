#!/usr/bin/python3
"""Writes the examples' gallery: a card for each example with its picture,
its title (the window's), its lesson (its first comment's first sentence),
a link to its page, and one that opens its page's inspector on the step the
lesson is about (the step its first comment names: "...opens the inspector
on step N, glName: ...").
   make_gallery.py EXAMPLES_DIR PICTURES_DIR OUT_DIR
"""
import html
import os
import re
import shutil
import sys

PAGE = '''<!doctype html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>Classic OpenGL programs on the page</title>
<style>
  body { margin: 0; padding: 16px; background: #20242b; color: #d8dde6; font: 14px/1.4 sans-serif; }
  h1 { margin: 0 0 4px; font-size: 18px; font-weight: normal; }
  p.about { margin: 0 0 16px; color: #9aa3b2; }
  ul { display: grid; grid-template-columns: repeat(auto-fill, minmax(220px, 1fr)); gap: 12px; margin: 0; padding: 0;
       list-style: none; }
  li { display: flex; flex-direction: column; background: #2b303a; border-radius: 6px; }
  li a { display: block; padding: 8px; color: inherit; text-decoration: none; border-radius: 6px; }
  li a:hover, li a:focus { background: #353b47; }
  li a.step { flex: 1; padding-top: 0; color: #8fb4f0; font-size: 13px; }
  img { display: block; width: 100%%; aspect-ratio: 4 / 3; object-fit: contain; background: #000; }
  h2 { margin: 8px 0 2px; font-size: 15px; font-weight: normal; }
  li p { margin: 0; color: #9aa3b2; display: -webkit-box; -webkit-box-orient: vertical; -webkit-line-clamp: 3;
         overflow: hidden; }
</style>
</head>
<body>
<h1>Classic OpenGL programs on the page</h1>
<p class="about">Each is a short C program of GL 1.1, GLU and GLUT, built unchanged for the page; it draws here as it
draws on a desktop.</p>
<ul>
%s
</ul>
</body>
</html>
'''
CARD = '''<li><a href="%(name)s/"><img src="%(name)s/picture.png" alt="%(title)s, as its page draws it">
<h2>%(title)s</h2><p>%(lesson)s</p></a>%(step)s</li>'''
STEP = '''<a class="step" href="%(name)s/#inspect=step:%(step)d">In the inspector: step %(step)d, %(call)s</a>'''


def describe(path):
    text = open(path).read()
    comment = re.match(r'\s*/\*(.*?)\*/', text, re.S)
    title = re.search(r'glutCreateWindow\("([^"]*)"\)', text)
    lesson = ' '.join(comment.group(1).split()) if comment else ''
    step = re.search(r'opens the inspector on step (\d+), (\w+)', lesson)
    lesson = re.split(r'\.(\s|$)', lesson, 1)[0]  # its first sentence
    return (title.group(1) if title else os.path.basename(path)), lesson, step


def main():
    examples, pictures, out = sys.argv[1:4]
    cards = []
    for f in sorted(os.listdir(examples)):
        if not f.endswith('.c'):
            continue
        name = f[:-2]
        title, lesson, step = describe(os.path.join(examples, f))
        picture = os.path.join(pictures, name + '.png')
        if os.path.isdir(os.path.join(out, name)) and os.path.exists(picture):
            shutil.copy(picture, os.path.join(out, name, 'picture.png'))
        link = STEP % {'name': html.escape(name), 'step': int(step.group(1)), 'call': step.group(2)} if step else ''
        cards.append(CARD % {'name': html.escape(name), 'title': html.escape(title), 'lesson': html.escape(lesson),
                             'step': link})
    with open(os.path.join(out, 'index.html'), 'w') as page:
        page.write(PAGE % '\n'.join(cards))


if __name__ == '__main__':
    main()
