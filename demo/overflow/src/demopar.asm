;**FILE DEMOPAR.ASM
;
; Demo Cuffware: parameter block. Bytes 9 and 10 are filled in with the
; size of the code image when the application is packed.
;

        DB      'DEMO'                  ; application tag
        DB      1, 2                    ; parameter layout version 1.2
        DB      DEMO_STATE_CLOCK        ; state entered at start
        DB      KEY_MODE                ; key that leaves the application
        DB      0                       ; flags: no password, no database
        DW      0                       ; code image size, set when packed
        DB      DEMO_LAP_COUNT          ; laps kept by the stopwatch

;**END FILE DEMOPAR.ASM
