$CASE ON
Twice   macro   a
        Once    a
        Once    a
        endm
Once    macro   b
        IF      b > 2
        LD      A,#b
        ELSE
        LD      A,[IX+b]
        ENDIF
        endm
        DEFSECT ".text", CODE AT 10000h
        SECT    ".text"
        Twice   3
        Twice   -1
        LD      A,[IX+200]
        LD      [IX+5],#3
        DIV     L
        JRS     $+300
