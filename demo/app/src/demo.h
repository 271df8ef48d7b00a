;**FILE DEMO.H
;
; Demo Cuffware: equates shared by every section of the application.
; The variables live in the application's part of the core heap.
;

DEMO_VAR_BASE          equ  HEAP_APP_VARS
DEMO_VAR_TICKS         equ  DEMO_VAR_BASE + 0
DEMO_VAR_SECONDS       equ  DEMO_VAR_BASE + 1
DEMO_VAR_MINUTES       equ  DEMO_VAR_BASE + 2
DEMO_VAR_RUNNING       equ  DEMO_VAR_BASE + 3
DEMO_VAR_FIELD         equ  DEMO_VAR_BASE + 4
DEMO_VAR_LAP           equ  DEMO_VAR_BASE + 5

DEMO_STATE_CLOCK       equ  0
DEMO_STATE_SETTIME     equ  1
DEMO_STATE_STOPWATCH   equ  2

DEMO_FIELD_COUNT       equ  3
DEMO_LAP_COUNT         equ  8

;**END FILE DEMO.H
