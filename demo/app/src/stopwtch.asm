;**FILE STOPWTCH.ASM
;
; Demo Cuffware, state 2: the stopwatch. START starts and stops it, SET
; resets it, MODE goes back to the clock face. The background handler
; counts while it runs, in every state.
;

StopwatchState:
        CP      A,#COREMAC_EVT_ENTER
        JRS     Z,StopwatchShow
        CP      A,#COREMAC_EVT_TICK
        JRS     Z,StopwatchShow
        CP      A,#COREMAC_EVT_KEY
        JRS     NZ,StopwatchDone
        CARL    INPUT_GET_KEY
        CP      A,#KEY_MODE
        JRS     Z,StopwatchLeave
        CP      A,#KEY_SET
        JRS     Z,StopwatchReset
        CP      A,#KEY_START
        JRS     NZ,StopwatchDone

        LD      HL,#DEMO_VAR_RUNNING
        LD      A,[HL]
        XOR     A,#1
        LD      [HL],A
        CARL    PlayBeep
        JRS     StopwatchShow

StopwatchReset:
        CARL    ResetStopwatch
        JRS     StopwatchShow

StopwatchLeave:
        LD      A,#DEMO_STATE_CLOCK
        CARL    CORE_SET_STATE
        JRS     StopwatchDone

StopwatchShow:
        LD      HL,#StopwatchTitle
        LD      A,#DISP_LINE_TOP
        CARL    ShowText
        LD      HL,#DEMO_VAR_MINUTES
        LD      A,[HL]
        LD      B,#0
        CARL    ShowTwoDigits
        LD      HL,#DEMO_VAR_SECONDS
        LD      A,[HL]
        LD      B,#3
        CARL    ShowTwoDigits
        CARL    StopwatchLap
StopwatchDone:
        RET

; Keeps the shown time in the next lap slot, round the slots.
StopwatchLap:
        LD      HL,#DEMO_VAR_LAP
        LD      A,[HL]
        INC     A
        CP      A,#DEMO_LAP_COUNT
        JRS     NZ,StopwatchLapSlot
        LD      A,#0
StopwatchLapSlot:
        LD      [HL],A
        LD      L,#2
        MLT
        LD      BA,HL                   ; the product, as an offset
        LD      HL,#LapSlots
        ADD     HL,BA
        LD      IX,#DEMO_VAR_MINUTES
        LD      A,[IX]
        LD      [HL],A
        INC     HL
        LD      A,[IX+1]
        LD      [HL],A
        RET

StopwatchTitle:
        DB      'STOPWATCH', STR_END
RunningText:
        DB      'RUN', STR_END, 'STOP', STR_END
LapSlots:
        DS      DEMO_LAP_COUNT * 2      ; minutes and seconds of each lap

;**END FILE STOPWTCH.ASM
