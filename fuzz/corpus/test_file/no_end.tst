test a
 call R
