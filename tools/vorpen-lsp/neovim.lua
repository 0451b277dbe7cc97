-- Neovim (0.7 or later) set-up for vorpen-lsp: source it from init.lua, or try it with
--   nvim --cmd 'luafile tools/vorpen-lsp/neovim.lua' examples/grain_growth_2d_dri.txt
-- The server is "vorpen-lsp" on the PATH unless VORPEN_LSP names it.
local server = os.getenv('VORPEN_LSP') or 'vorpen-lsp'
local client_id

vim.api.nvim_create_autocmd({ 'BufRead', 'BufNewFile' }, {
  pattern = { '*_dri.txt', '*_dri', '*_in.txt', '*.in', '*.dri' },
  callback = function(args)
    client_id = client_id or vim.lsp.start_client({
      name = 'vorpen',
      cmd = { server },
      root_dir = vim.fn.getcwd(),
    })
    vim.lsp.buf_attach_client(args.buf, client_id)
    vim.bo[args.buf].omnifunc = 'v:lua.vim.lsp.omnifunc' -- completion with Ctrl-X Ctrl-O
    local map = function(keys, action) vim.keymap.set('n', keys, action, { buffer = args.buf }) end
    map('K', vim.lsp.buf.hover)
    map('gd', vim.lsp.buf.definition)
    map('ga', vim.lsp.buf.code_action)
    map('go', vim.lsp.buf.document_symbol)
    map(']d', vim.diagnostic.goto_next)
  end,
})
