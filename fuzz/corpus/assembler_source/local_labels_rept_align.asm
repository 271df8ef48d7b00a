        DEFSECT ".text", CODE AT 10000h ALIGN 16
        DEFSECT "tab", DATA ALIGN 4
        SECT    ".text"
Delay   macro count
        LOCAL loop
        LD   B,#count
loop:   DJR  NZ,loop
        endm
First:  LD   A,#3
.loop:  DEC  A
        JRS  NZ,.loop
        Delay 2
Second: JRS  Z,.done
        REPT 2
        LOCAL skip
        JRS  Z,skip
skip:   REPT 3
        NOP
        ENDR
        ENDR
.done:  JRS  Z,First.loop
        ALIGN 8
        SECT "tab"
Tbl:    REPT 0
        DB 1
        ENDR
        ALIGN 32
        DB 2
