// TForm1: to be written
