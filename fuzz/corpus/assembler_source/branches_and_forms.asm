        EXTERN  Far
        DEFSECT "code", CODE
        SECT    "code"
Top:    JRS     LT,Top
        DJR     NZ,$
        CARL    Far + 2
        LD      A,[IX-128]
        LD      [BR:0FFh],#LOW(Far)
        LD      HL,#HIGH(Top) << 8
        INT     [0FEh]
        INCLUDE 'self'
        DB      'x', "yz", -1
        DW      Top, Far
        DS      4
