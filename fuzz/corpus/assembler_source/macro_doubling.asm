  DEFSECT ".text", CODE AT 010000h
  SECT ".text"
M0 macro p
  DB p
  endm
M1 macro p
  M0 p+p
  endm
M2 macro p
  M1 p+p
  endm
M3 macro p
  M2 p+p
  endm
M4 macro p
  M3 p+p
  endm
M5 macro p
  M4 p+p
  endm
M6 macro p
  M5 p+p
  endm
M7 macro p
  M6 p+p
  endm
M8 macro p
  M7 p+p
  endm
M9 macro p
  M8 p+p
  endm
M10 macro p
  M9 p+p
  endm
M11 macro p
  M10 p+p
  endm
M12 macro p
  M11 p+p
  endm
M13 macro p
  M12 p+p
  endm
M14 macro p
  M13 p+p
  endm
M15 macro p
  M14 p+p
  endm
M16 macro p
  M15 p+p
  endm
M17 macro p
  M16 p+p
  endm
M18 macro p
  M17 p+p
  endm
M19 macro p
  M18 p+p
  endm
M20 macro p
  M19 p+p
  endm
M21 macro p
  M20 p+p
  endm
M22 macro p
  M21 p+p
  endm
M23 macro p
  M22 p+p
  endm
M24 macro p
  M23 p+p
  endm
M25 macro p
  M24 p+p
  endm
M26 macro p
  M25 p+p
  endm
M27 macro p
  M26 p+p
  endm
M28 macro p
  M27 p+p
  endm
M29 macro p
  M28 p+p
  endm
M30 macro p
  M29 p+p
  endm
  M30 1
