test a
 call R
 set A = 256
end
