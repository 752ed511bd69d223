# Lets groff break a line between two Chinese characters, which it cannot do by itself, and sets
# lines ragged right. Run on a man page in place: perl -CSD -i -p man-page-chinese.pl PAGE
my $chinese = qr/[\p{Han}\x{3000}-\x{303F}\x{FF00}-\x{FFEF}]/;
s/($chinese)(?=$chinese)/$1\\:/g;
$_ .= ".ad l\n" if /^\.TH/;
