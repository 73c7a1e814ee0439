// Every switch of the LHA-style command line, in the order a command line carries them. The
// LHA and ARJ libraries parse them; the program's switch set has one member per switch of the
// same name and writes them in this order. Expand with four macros, one per kind of value:
//   NUMBER(s)  -s<n>: a number (none written means 1)
//   TEXT(s)    -s<text>
//   FOLDER(s)  -s<folder>: text naming a folder
//   LIST(s)    -s<text>, once per item of a list
#pragma once

#define LHA_SWITCHES(NUMBER, TEXT, FOLDER, LIST)                                                                      \
  NUMBER(a)                                                                                                           \
  NUMBER(c) NUMBER(e) NUMBER(f) NUMBER(h) NUMBER(i) NUMBER(l) NUMBER(m) NUMBER(n) NUMBER(o) NUMBER(p) NUMBER(r)       \
      NUMBER(s) NUMBER(t) NUMBER(u) FOLDER(w) NUMBER(x) NUMBER(y) NUMBER(z) NUMBER(jc) NUMBER(jd) NUMBER(je)          \
          NUMBER(jf) NUMBER(jh) NUMBER(ji) NUMBER(jm) NUMBER(jn) TEXT(jo) TEXT(job) NUMBER(jp) NUMBER(jr) NUMBER(jss) \
              NUMBER(jw) LIST(jx) NUMBER(jyc) NUMBER(jyd) NUMBER(jyk) NUMBER(jyn) NUMBER(jyo) TEXT(jz) NUMBER(ga)     \
                  NUMBER(gd) NUMBER(ge) NUMBER(gf) NUMBER(gj) NUMBER(gm) NUMBER(gn) NUMBER(go) NUMBER(gp) TEXT(gr)    \
                      NUMBER(gs) NUMBER(gu) NUMBER(gw)
