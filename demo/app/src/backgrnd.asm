;**FILE BACKGRND.ASM
;
; Demo Cuffware: background handler. The core calls it with the event
; code in A on every event while the application is loaded; it keeps the
; stopwatch running whatever state is shown.
;

        GLOBAL  BackgroundHandler
BackgroundHandler:
        CP      A,#COREMAC_EVT_TICK
        JRS     NZ,BackgroundDone
        LD      HL,#DEMO_VAR_RUNNING
        LD      A,[HL]
        CP      A,#0
        JRS     Z,BackgroundDone
        LD      HL,#DEMO_VAR_TICKS
        LD      A,[HL]
        INC     A
        LD      [HL],A
        CP      A,#TIMER_TICKS_PER_SECOND
        JRS     NZ,BackgroundDone
        LD      [HL],#0
        CARL    StopwatchTick
BackgroundDone:
        RET

;**END FILE BACKGRND.ASM
