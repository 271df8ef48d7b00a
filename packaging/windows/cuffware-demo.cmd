@echo off
rem The Start menu's demo: opens the window program on the demo in the
rem user's local application data, laying the demo out there (and running
rem its whole road) the first time.
setlocal
set "demo=%LOCALAPPDATA%\Cuffware\Demo"
set "script=%demo%\q740\app\demo\build\demo.scr"
if exist "%demo%\builder.ini" goto open
"%~dp0cuffware.exe" demo "%demo%"
if errorlevel 1 goto failed
start "" "%~dp0cuffware-builder.exe" --settings "%demo%\builder.ini" "%script%"
echo.
echo The window shows the demo now: Analyze Cuffware shows its memory usage.
pause
exit /b 0
:open
start "" "%~dp0cuffware-builder.exe" --settings "%demo%\builder.ini" "%script%"
exit /b 0
:failed
pause
exit /b 1
