test a
 call R
 set [X+2] = 1 2 0FFh, HL = Y-1, Z = 1
 stub S calls 3 gives A = 1, [0x20] = 7
 expect cycles <= 10
 expect stack <= 4
end
