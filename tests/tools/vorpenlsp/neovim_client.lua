-- Neovim's own LSP client against the built vorpen-lsp: opens a driving file with a misspelt
-- keyword, checks the diagnostic, completion, hover, outline and quick fix, applies the fix and
-- exits non-zero with a message on the first difference.
local server = os.getenv('VORPEN_LSP')
local example = os.getenv('VORPEN_LSP_EXAMPLE')

local function fail(message)
  io.stderr:write('neovim client: ' .. message .. '\n')
  vim.cmd('cquit 1')
end

local function expect(condition, message)
  if not condition then
    error(message, 0)
  end
end

local function wait(what, condition)
  expect(vim.wait(20000, condition, 20), 'timed out waiting for ' .. what)
end

local function request(bufnr, client_id, method, params)
  local responses, err = vim.lsp.buf_request_sync(bufnr, method, params, 20000)
  expect(responses and responses[client_id], method .. ' got no answer: ' .. tostring(err))
  expect(not responses[client_id].err, method .. ' failed: ' .. vim.inspect(responses[client_id].err))
  return responses[client_id].result
end

local function run()
  expect(server and example, 'VORPEN_LSP and VORPEN_LSP_EXAMPLE must be set')
  vim.cmd('edit ' .. vim.fn.fnameescape(example))
  local bufnr = vim.api.nvim_get_current_buf()
  local uri = vim.uri_from_bufnr(bufnr)
  local client_id = vim.lsp.start_client({ name = 'vorpen', cmd = { server }, root_dir = vim.fn.getcwd() })
  expect(client_id, 'the server did not start')
  vim.lsp.buf_attach_client(bufnr, client_id)

  wait('the diagnostic', function() return #vim.diagnostic.get(bufnr) > 0 end)
  local diagnostic = vim.diagnostic.get(bufnr)[1]
  expect(diagnostic.lnum == 37 and diagnostic.col == 0 and diagnostic.end_col == 8,
    'diagnostic not at "peridoic": ' .. vim.inspect(diagnostic))
  expect(diagnostic.message:find('did you mean "periodic"?', 1, true),
    'diagnostic without the suggestion: ' .. diagnostic.message)
  expect(diagnostic.severity == vim.diagnostic.severity.ERROR, 'diagnostic is no error')

  local at_fault = { textDocument = { uri = uri }, position = { line = 37, character = 3 } }
  local completion = request(bufnr, client_id, 'textDocument/completion', at_fault)
  local labels = {}
  for _, item in ipairs(completion.items or completion) do
    labels[item.label] = item.detail
  end
  expect(labels['periodic'], 'completion lacks "periodic": ' .. vim.inspect(labels))

  local on_value = { textDocument = { uri = uri }, position = { line = 32, character = 2 } }
  local hover = request(bufnr, client_id, 'textDocument/hover', on_value)
  expect(hover and hover.contents.value:find('phase', 1, true) and hover.contents.value:find(' in ', 1, true),
    'hover does not describe the parameter: ' .. vim.inspect(hover))

  local symbols = request(bufnr, client_id, 'textDocument/documentSymbol', { textDocument = { uri = uri } })
  local names = {}
  for _, symbol in ipairs(symbols) do
    names[symbol.name] = symbol
  end
  expect(names['Boundary Conditions'] and names['Boundary Conditions'].range.start.line == 34,
    'outline lacks "Boundary Conditions" at line 35: ' .. vim.inspect(vim.tbl_keys(names)))

  local actions = request(bufnr, client_id, 'textDocument/codeAction', {
    textDocument = { uri = uri },
    range = { start = { line = 37, character = 2 }, ['end'] = { line = 37, character = 2 } },
    context = { diagnostics = {} },
  })
  expect(actions and #actions == 1 and actions[1].kind == 'quickfix', 'no quick fix: ' .. vim.inspect(actions))
  vim.lsp.util.apply_workspace_edit(actions[1].edit, 'utf-16')
  local fixed = vim.api.nvim_buf_get_lines(bufnr, 37, 38, true)[1]
  expect(fixed == 'periodic', 'the fix left "' .. fixed .. '"')
  wait('the diagnostic to clear', function() return #vim.diagnostic.get(bufnr) == 0 end)

  vim.lsp.stop_client(client_id)
  wait('the server to stop', function() return vim.lsp.client_is_stopped(client_id) end)
end

local ok, message = pcall(run)
if not ok then
  fail(tostring(message))
end
vim.cmd('qall!')
