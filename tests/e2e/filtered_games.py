"""Three games for the filter screen tests, native and under Wine: one rated too low, one rated
high enough that starts after 1. d4, and one unrated game of a Cyrillic-named player that starts
after 1. c4. Each passing game's first position tells which game is on screen."""

AFTER_D4 = "rnbqkbnr/pppppppp/8/8/3P4/8/PPP1PPPP/RNBQKBNR"
AFTER_C4 = "rnbqkbnr/pppppppp/8/8/2P5/8/PP1PPPPP/RNBQKBNR"
GAMES = ('[White "Low"]\n[Black "Rated"]\n[WhiteElo "1500"]\n[BlackElo "2600"]\n\n1. e4 e5 *\n\n'
         '[White "High"]\n[Black "Rated"]\n[WhiteElo "2500"]\n[BlackElo "2600"]\n[SetUp "1"]\n'
         f'[FEN "{AFTER_D4} b KQkq - 0 1"]\n\n1... d5 *\n\n'
         '[White "Иван Петров"]\n[Black "Unrated"]\n[SetUp "1"]\n'
         f'[FEN "{AFTER_C4} b KQkq - 0 1"]\n\n1... c5 *\n')
