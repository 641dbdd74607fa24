object Form1: TForm
end
